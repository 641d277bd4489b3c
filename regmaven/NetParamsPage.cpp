#include "regmaven/NetParamsPage.h"

#include "core/support/SysUtils.h"
#include "platform/ui/EditLimit.h"
#include "regmaven/untDriver.h"
#include "regmaven/untInputChecks.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace Regmaven {

namespace {

constexpr int NetworkTable = 16;
constexpr int LinkTable = 21;

// First fields of table 16's octet groups.
constexpr int AddressField = 3;
constexpr int GatewayField = 7;
constexpr int MaskField = 11;
constexpr int DNSField = 15;

QString OctetsText(int FirstField)
{
    QStringList parts;
    for (int field = FirstField; field < FirstField + 4; ++field)
        parts << QString::number(ReadTableInt(NetworkTable, 1, field));
    return parts.join(QLatin1Char('.'));
}

} // namespace

void TNetParamsPage::PrepareAddressEdit(QLineEdit* Edit)
{
    SetIPv4Input(Edit);
    Edit->setMaximumWidth(160);
}

void TNetParamsPage::PreparePortEdit(QLineEdit* Edit)
{
    Edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), Edit));
    SetEditLimit(Edit, 5);
    Edit->setMaximumWidth(80);
}

void TNetParamsPage::chkDHCPClick()
{
    const bool enabled = !chkDHCP->isChecked();
    for (QLineEdit* edit : {ipStatic, ipMask, ipGateway, ipDNS})
        EnableWithCaption(edit, enabled);
}

void TNetParamsPage::ShowTable16Addresses()
{
    ipStatic->setText(OctetsText(AddressField));
    ipGateway->setText(OctetsText(GatewayField));
    ipMask->setText(OctetsText(MaskField));
    ipDNS->setText(OctetsText(DNSField));
    edtTCPPort->setText(QString::number(ReadTableInt(LinkTable, 1, 4)));
}

QList<int> TNetParamsPage::Octets(QLineEdit* Edit)
{
    QString name = CaptionOf(Edit) ? CaptionOf(Edit)->text() : Edit->objectName();
    if (name.endsWith(u':'))
        name.chop(1);
    return IPv4Octets(Edit->text(), name);
}

TNetParamsPage::TAddresses TNetParamsPage::AddressEdits() const
{
    return {Octets(ipStatic), Octets(ipGateway), Octets(ipMask)};
}

void TNetParamsPage::WriteTable16Addresses(const TAddresses& Addresses)
{
    for (const auto& [first, octets] : {std::pair{AddressField, Addresses.Address},
                                        std::pair{GatewayField, Addresses.Gateway}, std::pair{MaskField, Addresses.Mask}})
        for (int i = 0; i < 4; ++i)
            WriteTableInt(NetworkTable, 1, first + i, octets[i]);
}

int TNetParamsPage::Port() const
{
    return CheckPort(edtTCPPort->text(), QStringLiteral("Порт"));
}

} // namespace Regmaven
