#include "regmaven/fmuEthernetParams.h"

#include "platform/ui/Dialogs.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScopeGuard>

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmCheckEthernet);
DEFINE_PAGE_CLASS(TfmEthernetParams);

TfmEthernetParams::TfmEthernetParams() : TNetParamsPage("fmEthernetParams", QStringLiteral("Параметры Ethernet"))
{
    TFormBuilder<TfmEthernetParams> b(this);
    b.Grid()->setContentsMargins(40, 16, 40, 8);
    b.Label("lblNote", QStringLiteral("Введите настройки сети и нажмите \"Далее\""));
    AddDHCPBox(b);
    AddAddressEdits(b);
}

void TfmEthernetParams::FormShow()
{
    const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
    chkDHCP->setChecked(ReadTableInt(16, 1, 1) == 0);
    chkDHCPClick();
    ShowTable16Addresses();
}

void TfmEthernetParams::Next()
{
    const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
    // Every input is checked before the register is written.
    const bool dhcp = chkDHCP->isChecked();
    const int port = Port();
    const TAddresses addresses = dhcp ? TAddresses{} : AddressEdits();

    TController& c = Controller();
    WriteTableInt(21, 1, 3, 1);
    WriteTableInt(21, 1, 6, 0);
    if (dhcp) {
        WriteTableInt(16, 1, 1, 0);
        c.DHCP = true;
    } else {
        WriteTableInt(16, 1, 1, 1);
        WriteTable16Addresses(addresses);
        c.DHCP = false;
        c.IP = ipStatic->text();
        c.TCPPort = port;
    }
    WriteTableInt(21, 1, 4, port);
    WriteTableInt(21, 1, 9, 0);
    c.NextPageClass = ClassOf<TfmCheckEthernet>();
    Dialogs::ShowMessage(QStringLiteral("Настройки Ethernet успешно записаны.\r\nПерезагрузите устройство и нажмите \"ОК\""));
}

} // namespace Regmaven
