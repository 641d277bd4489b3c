// Regmaven: the fiscalisation wizard.
#include "emulator/EmulatedOrvek.h"
#include "regmaven/fmuMain.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    InstallEmulatedOrvek();
    Regmaven::TfmMain fmMain;
    fmMain.show();
    return app.exec();
}
