#include "regmaven/fmuWiFiParams.h"

#include "platform/ui/Dialogs.h"
#include "platform/ui/EditLimit.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"
#include "regmaven/untInputChecks.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScopeGuard>

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmOFDExchangeState);
DEFINE_PAGE_CLASS(TfmWiFiParams);

namespace {
constexpr int LinkTable = 21;
constexpr int WiFiTable = 22;
} // namespace

TfmWiFiParams::TfmWiFiParams() : TNetParamsPage("fmWiFiParams", QStringLiteral("Настройки подключения WiFi"))
{
    TFormBuilder<TfmWiFiParams> b(this);
    b.Grid()->setContentsMargins(40, 16, 40, 8);
    b.Label("lblNote", QStringLiteral("Введите настройки сети и нажмите \"Далее\""));
    SetEditLimit(b.Edit(NAMED(edtWiFiSSID), QStringLiteral("Точка доступа WiFI:")), 32);
    SetEditLimit(b.Edit(NAMED(edtWiFiPass), QStringLiteral("Пароль WiFi:")), 64);
    edtWiFiSSID->setMinimumWidth(320);
    edtWiFiPass->setMinimumWidth(320);
    AddDHCPBox(b);
    AddAddressEdits(b);
    // The address itself is the access point's to give; its caption stays.
    ipStatic->hide();
}

void TfmWiFiParams::FormShow()
{
    const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
    edtWiFiSSID->setText(ReadTableStr(LinkTable, 1, 7));
    edtWiFiPass->setText(ReadTableStr(LinkTable, 1, 8));
    chkDHCP->setChecked(ReadTableInt(WiFiTable, 1, 1) == 0);
    chkDHCPClick();
    ipStatic->setText(ReadTableStr(WiFiTable, 1, 2));
    ipMask->setText(ReadTableStr(WiFiTable, 1, 3));
    ipGateway->setText(ReadTableStr(WiFiTable, 1, 4));
    ipDNS->setText(ReadTableStr(WiFiTable, 1, 5));
    edtTCPPort->setText(QString::number(ReadTableInt(LinkTable, 1, 4)));
}

void TfmWiFiParams::Next()
{
    const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
    RequireValue(edtWiFiSSID->text().trimmed(), QStringLiteral("Точка доступа WiFI"));
    const bool dhcp = chkDHCP->isChecked();
    const int port = Port();
    // The edits the user can change are checked before the register is written.
    if (!dhcp)
        for (QLineEdit* edit : {ipMask, ipGateway, ipDNS})
            Octets(edit);

    WriteTableInt(LinkTable, 1, 3, 1);
    WriteTableInt(LinkTable, 1, 6, 1);
    WriteTableStr(LinkTable, 1, 7, edtWiFiSSID->text());
    WriteTableStr(LinkTable, 1, 8, edtWiFiPass->text());
    if (dhcp) {
        WriteTableInt(WiFiTable, 1, 1, 0);
    } else {
        WriteTableInt(WiFiTable, 1, 1, 1);
        WriteTableStr(WiFiTable, 1, 2, ipStatic->text());
        WriteTableStr(WiFiTable, 1, 3, ipMask->text());
        WriteTableStr(WiFiTable, 1, 4, ipGateway->text());
        WriteTableStr(WiFiTable, 1, 5, ipDNS->text());
    }
    WriteTableInt(LinkTable, 1, 9, 0);
    WriteTableInt(LinkTable, 1, 4, port);
    // On to the OFD queue, as after the other two links' checks.
    Controller().NextPageClass = ClassOf<TfmOFDExchangeState>();
    Dialogs::ShowMessage(QStringLiteral("Настройки WiFi успешно записаны.\r\nПерезагрузите устройство и нажмите \"ОК\""));
}

} // namespace Regmaven
