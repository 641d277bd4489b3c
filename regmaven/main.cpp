// Regmaven: the fiscalisation wizard.
#include "emulator/EmulatedOrvek.h"
#include "emulator/OrvekBench.h"
#include "emulator/OrvekDiscovery.h"
#include "emulator/OrvekInstallation.h"
#include "regmaven/ComportUtils.h"
#include "regmaven/fmuMain.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtTranslations.h"

#include <QApplication>

namespace {

// The emulated registers' serial ports, as the port class lists them.
QList<Regmaven::TPortDevice> BenchSerialPorts()
{
    QList<Regmaven::TPortDevice> devices;
    for (int com : Bench().SerialPorts())
        devices << Regmaven::TPortDevice{QStringLiteral("Эмулятор ККТ (COM%1)").arg(com), QStringLiteral("EMULATOR\\ORVEK")};
    return devices;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    SetProgramTitle(Regmaven::RegmavenTitle);   // before any settings file is read
    InstallQtTranslations(QStringLiteral("RU"));
    SetOrvekInstallation(OrvekInstallationFromEnvironment());
    InstallEmulatedOrvek();
    Regmaven::SetPortSources({&BenchSerialPorts, [] { return Regmaven::SystemSerialPorts(); }});
    // The bench's TCP registers announce themselves to this machine.
    OrvekDiscoverySender discovery;
    Regmaven::TfmMain fmMain;
    fmMain.show();
    return app.exec();
}
