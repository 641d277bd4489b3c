#pragma once
// The Vintrel payment service as the emulated driver reaches it through a
// register: payments by QR link, their statuses, refunds and the
// cash-register links it issued. Nothing leaves the process.
#include "core/binding/OrvekTypes.h"
#include "emulator/EmulatedRegister.h"

#include <QString>
#include <vector>

namespace VintrelStatus {
enum : int {
    New = 1,
    Created = 2,
    InProgress = 3,
    Paid = 4,
    Failed = 5,
    Cancelled = 6,
    PartlyRefunded = 7,
    Refunded = 8,
    Refunding = 9,
};
}

struct VintrelPayment {
    QString ServerId;
    QString ClientId;
    QString Link;              // the payment link, or the cash-register link it was made on
    Currency Amount = 0;
    Currency RefundedAmount = 0;
    int Status = VintrelStatus::Created;

    void Keep(StateArchive& a) { a(ServerId, ClientId, Link, Amount, RefundedAmount, Status); }
};

class RegisterVintrel : public RegisterArea {
public:
    // A new payment; with a cash-register link it is made on that link.
    VintrelPayment& Create(Currency amount, const QString& cashRegisterCode = {});
    // None for an unknown id.
    VintrelPayment* Find(const QString& serverId);
    QString NewCashRegisterCode();
    bool Issued(const QString& cashRegisterCode) const;
    // The customer paid, the payment failed, ... (tests).
    bool SetStatus(const QString& serverId, int status);
    const std::vector<VintrelPayment>& Payments() const { return FPayments; }

    static bool IsFinal(int status);

    void Keep(StateArchive& a) { a(FPayments, FCashRegisterCodes); }

private:
    std::vector<VintrelPayment> FPayments;
    QStringList FCashRegisterCodes;
};
