#include "regmaven/fmuRNDISParams.h"

#include "platform/ui/Dialogs.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"

#include <QLineEdit>
#include <QScopeGuard>

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmCheckRNDIS);
DEFINE_PAGE_CLASS(TfmRNDISParams);

TfmRNDISParams::TfmRNDISParams()
    : TNetParamsPage("fmRNDISParams", QStringLiteral("Настройки подключения RNDIS"))
{
    TFormBuilder<TfmRNDISParams> b(this);
    b.Grid()->setContentsMargins(40, 16, 40, 8);
    b.Label("lblNote", QStringLiteral("Введите настройки сети, подключите ККТ к ПК при помощи USB кабеля и нажмите "
                                      "\"Далее\""))
        ->setWordWrap(true);
    AddAddressEdits(b);
}

void TfmRNDISParams::FormShow()
{
    const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
    ShowTable16Addresses();
    ipStatic->setFocus();
}

void TfmRNDISParams::Next()
{
    const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
    const int port = Port();
    const TAddresses addresses = AddressEdits();

    WriteTableInt(21, 1, 3, 1);
    WriteTableInt(21, 1, 6, 0);
    WriteTableInt(16, 1, 1, 1);
    WriteTable16Addresses(addresses);
    WriteTableInt(21, 1, 4, port);
    WriteTableInt(21, 1, 9, 1);
    TController& c = Controller();
    c.IP = ipStatic->text();
    c.TCPPort = port;
    c.NextPageClass = ClassOf<TfmCheckRNDIS>();
    Dialogs::ShowMessage(QStringLiteral("Настройки RNDIS успешно записаны.\r\nПерезагрузите устройство и нажмите \"ОК\""));
}

} // namespace Regmaven
