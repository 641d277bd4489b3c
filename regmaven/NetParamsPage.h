#pragma once
// TNetParamsPage: base of the OFD link settings pages (Ethernet, Wi-Fi,
// RNDIS): the four address edits, the register's TCP port on the link and,
// where the page has one, the DHCP box that disables the address edits.
#include "platform/ui/FormBuilder.h"
#include "regmaven/ParamPage.h"

#include <QList>

class QCheckBox;
class QLineEdit;

namespace Regmaven {

class TNetParamsPage : public TParamPage {
    Q_OBJECT
public:
    using TParamPage::TParamPage;

    QCheckBox* chkDHCP = nullptr;
    QLineEdit* ipStatic = nullptr;
    QLineEdit* ipMask = nullptr;
    QLineEdit* ipGateway = nullptr;
    QLineEdit* ipDNS = nullptr;
    QLineEdit* edtTCPPort = nullptr;

    // The address edits and their captions are enabled exactly without DHCP.
    void chkDHCPClick();

protected:
    // The DHCP box ("Использовать DHCP", ticked).
    template <class T>
    void AddDHCPBox(TFormBuilder<T>& b)
    {
        b.Check(NAMED(chkDHCP), QStringLiteral("Использовать DHCP"), true);
        connect(chkDHCP, &QCheckBox::clicked, this, [this] { chkDHCPClick(); });
    }
    // "IP адрес:", "Маска:", "Шлюз:", "DNS:" and "Порт:" (7779).
    template <class T>
    void AddAddressEdits(TFormBuilder<T>& b)
    {
        PrepareAddressEdit(b.Edit(NAMED(ipStatic), QStringLiteral("IP адрес:")));
        PrepareAddressEdit(b.Edit(NAMED(ipMask), QStringLiteral("Маска:")));
        PrepareAddressEdit(b.Edit(NAMED(ipGateway), QStringLiteral("Шлюз:")));
        PrepareAddressEdit(b.Edit(NAMED(ipDNS), QStringLiteral("DNS:")));
        b.Edit(NAMED(edtTCPPort), QStringLiteral("Порт:"), QStringLiteral("7779"));
        PreparePortEdit(edtTCPPort);
        b.Space();
        // Captions and edits keep to the left.
        b.Grid()->setColumnStretch(2, 1);
    }

    // Table 16's address, mask, gateway and DNS octets into the edits, and
    // table 21's port.
    void ShowTable16Addresses();
    // The address, gateway and mask edits' octets; raises naming the edit's
    // caption when a text is no address.
    struct TAddresses {
        QList<int> Address, Gateway, Mask;
    };
    TAddresses AddressEdits() const;
    // Into table 16 (the DNS edit is not written).
    static void WriteTable16Addresses(const TAddresses& Addresses);
    // The port edit's number; raises unless it is 1 to 65535.
    int Port() const;
    // The edit's four octets; raises naming the edit's caption when the text is no address.
    static QList<int> Octets(QLineEdit* Edit);

private:
    static void PrepareAddressEdit(QLineEdit* Edit);
    static void PreparePortEdit(QLineEdit* Edit);
};

} // namespace Regmaven
