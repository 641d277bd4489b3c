// Regmaven: the fiscalisation wizard.
#include "platform/orvek/EmulatedOrvek.h"
#include "wizard/fmuMain.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    InstallEmulatedOrvek();
    Regmaven::TfmMain fmMain;
    fmMain.show();
    return app.exec();
}
