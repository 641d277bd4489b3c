#include "tests/regmaven/WizardTestSupport.h"

#include <QDir>
#include <QFile>

Regmaven::TfmMain& WizardTest::Form(bool x5)
{
    const QString folder = TestTempDir() + "/program/";
    QDir().mkpath(folder);
    QFile marker(folder + "X5.ini");
    if (x5)
        marker.open(QIODevice::WriteOnly);
    else
        marker.remove();
    FForm = std::make_unique<Regmaven::TfmMain>(folder);
    FForm->show();
    return *FForm;
}

QString WizardTest::Next()
{
    FForm->btnNext->click();
    return Title();
}

QString WizardTest::Prev()
{
    FForm->btnPrev->click();
    return Title();
}
