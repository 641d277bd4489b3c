#include "tests/regmaven/WizardTestSupport.h"

#include "regmaven/fmuSearchDevice.h"

#include <QDir>
#include <QTreeWidget>
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

QList<Regmaven::TPortDevice> WizardTest::BenchSerialPorts()
{
    QList<Regmaven::TPortDevice> devices;
    for (int com : Bench().SerialPorts())
        devices << Regmaven::TPortDevice{QStringLiteral("Эмулятор ККТ (COM%1)").arg(com), "EMULATOR\\ORVEK"};
    return devices;
}

void WizardTest::FinishSearch()
{
    auto& page = Page<Regmaven::TfmSearchDevice>();
    for (const auto& device : page.SearchDevices())
        static_cast<Regmaven::TOrvekSearchDevice&>(*device).WaitFor();
    page.UpdateView();
}

void WizardTest::ReachWorkTypes()
{
    Next();
    Next();
    FinishSearch();
    auto* list = Page<Regmaven::TfmSearchDevice>().lvDevices;
    ASSERT_GT(list->topLevelItemCount(), 0);
    list->topLevelItem(0)->setSelected(true);
    Next();
}
