#include "emulator/RegisterVintrel.h"

#include <QUuid>

namespace {
const QString ServiceHost = QStringLiteral("https://qr.vintrel.example");
}

VintrelPayment& RegisterVintrel::Create(Currency amount, const QString& cashRegisterCode)
{
    VintrelPayment payment;
    payment.ServerId = QStringLiteral("VT%1").arg(FPayments.size() + 1, 8, 10, QLatin1Char('0'));
    payment.ClientId = QUuid::createUuid().toString(QUuid::WithoutBraces);
    payment.Link = cashRegisterCode.isEmpty() ? ServiceHost + QStringLiteral("/pay/") + payment.ServerId
                                              : cashRegisterCode;
    payment.Amount = amount;
    FPayments.push_back(payment);
    return FPayments.back();
}

VintrelPayment* RegisterVintrel::Find(const QString& serverId)
{
    for (VintrelPayment& payment : FPayments)
        if (!serverId.isEmpty() && payment.ServerId == serverId)
            return &payment;
    return nullptr;
}

QString RegisterVintrel::NewCashRegisterCode()
{
    FCashRegisterCodes << ServiceHost + QStringLiteral("/cr/%1").arg(FCashRegisterCodes.size() + 1, 6, 10,
                                                                      QLatin1Char('0'));
    return FCashRegisterCodes.last();
}

bool RegisterVintrel::Issued(const QString& cashRegisterCode) const
{
    return !cashRegisterCode.isEmpty() && FCashRegisterCodes.contains(cashRegisterCode);
}

bool RegisterVintrel::SetStatus(const QString& serverId, int status)
{
    VintrelPayment* payment = Find(serverId);
    if (!payment)
        return false;
    payment->Status = status;
    return true;
}

bool RegisterVintrel::IsFinal(int status)
{
    using namespace VintrelStatus;
    return status == Paid || status == Failed || status == Cancelled || status == PartlyRefunded
        || status == Refunded;
}
