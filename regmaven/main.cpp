// Regmaven: the fiscalisation wizard.
#include "emulator/EmulatedOrvek.h"
#include "regmaven/fmuMain.h"
#include "platform/ui/QtTranslations.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    InstallQtTranslations(QStringLiteral("RU"));
    InstallEmulatedOrvek();
    Regmaven::TfmMain fmMain;
    fmMain.show();
    return app.exec();
}
