// The Vintrel payment operations of the driver, answered by the payment
// service the register reaches (RegisterVintrel).
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterVintrel.h"

namespace {
using P = OrvekProp;
using M = OrvekMethod;

// The service's refusals: one code, the reason in the description.
constexpr std::int32_t ServiceError = -30;

std::int32_t Refused(OrvekCall& c, const QString& reason)
{
    c.Description = QStringLiteral("Ошибка сервиса Vintrel: ") + reason;
    c.Set(P::VintrelProcessingResponse, QStringLiteral("{\"error\":\"%1\"}").arg(reason));
    return ServiceError;
}

QString StatusName(int status)
{
    static const char* const names[] = {"UNKNOWN", "NEW", "CREATED", "IN_PROGRESS", "PAID", "FAILED",
                                        "CANCELLED", "PARTLY_REFUNDED", "REFUNDED", "REFUNDING"};
    return QLatin1String(status >= 1 && status <= 9 ? names[status] : names[0]);
}

// The payment's ids, status and the service's answer into the properties.
std::int32_t Answer(OrvekCall& c, const VintrelPayment& payment)
{
    c.Set(P::VintrelServerPaymentID, payment.ServerId);
    c.Set(P::VintrelClientPaymentID, payment.ClientId);
    c.Set(P::VintrelPayStatus, payment.Status);
    c.Set(P::VintrelIsStatusFinal, RegisterVintrel::IsFinal(payment.Status));
    c.Set(P::VintrelProcessingResponse,
          QStringLiteral("{\"paymentId\":\"%1\",\"status\":\"%2\",\"amount\":%3,\"refunded\":%4}")
              .arg(payment.ServerId, StatusName(payment.Status))
              .arg(double(payment.Amount) / 10000, 0, 'f', 2)
              .arg(double(payment.RefundedAmount) / 10000, 0, 'f', 2));
    c.Request.append(payment.ServerId.toLatin1());
    return OrvekResult::Ok;
}

RegisterVintrel& Service(OrvekCall& c)
{
    return c.Reg().Area<RegisterVintrel>();
}

std::int32_t CreatePayment(OrvekCall& c, const QString& cashRegisterCode)
{
    const Currency amount = c.Curr(P::Summ1);
    if (amount <= 0)
        return Refused(c, QStringLiteral("некорректная сумма"));
    return Answer(c, Service(c).Create(amount, cashRegisterCode));
}

std::int32_t VintrelCreatePayData(OrvekCall& c)
{
    const std::int32_t code = CreatePayment(c, {});
    if (code == OrvekResult::Ok)
        c.Set(P::BarCode, Service(c).Payments().back().Link);
    return code;
}

std::int32_t VintrelCreatePayDataByCode(OrvekCall& c)
{
    const QString link = c.Str(P::VintrelCashRegisterCode);
    if (!Service(c).Issued(link))
        return Refused(c, QStringLiteral("кассовая ссылка не найдена"));
    return CreatePayment(c, link);
}

// Works on the payment the driver holds (from its last create or refund);
// `work` changes it and returns empty, or returns why the service refuses.
template <class F>
std::int32_t OnHeldPayment(OrvekCall& c, F work)
{
    VintrelPayment* payment = Service(c).Find(c.Str(P::VintrelServerPaymentID));
    if (!payment)
        return Refused(c, QStringLiteral("платеж не найден"));
    const QString refusal = work(*payment);
    if (!refusal.isEmpty())
        return Refused(c, refusal);
    return Answer(c, *payment);
}

std::int32_t VintrelGetPayStatus(OrvekCall& c)
{
    return OnHeldPayment(c, [](VintrelPayment&) { return QString(); });
}

std::int32_t VintrelCancel(OrvekCall& c)
{
    return OnHeldPayment(c, [](VintrelPayment& payment) {
        using namespace VintrelStatus;
        if (payment.Status != New && payment.Status != Created && payment.Status != InProgress)
            return QStringLiteral("платеж нельзя отменить");
        payment.Status = Cancelled;
        return QString();
    });
}

std::int32_t VintrelRefund(OrvekCall& c)
{
    const Currency amount = c.Curr(P::Summ1);
    return OnHeldPayment(c, [amount](VintrelPayment& payment) {
        using namespace VintrelStatus;
        if (payment.Status != Paid && payment.Status != PartlyRefunded)
            return QStringLiteral("платеж не оплачен");
        if (amount <= 0 || amount > payment.Amount - payment.RefundedAmount)
            return QStringLiteral("сумма возврата больше остатка платежа");
        payment.RefundedAmount += amount;
        payment.Status = payment.RefundedAmount == payment.Amount ? Refunded : PartlyRefunded;
        return QString();
    });
}

std::int32_t VintrelCreateCashRegisterCode(OrvekCall& c)
{
    const QString link = Service(c).NewCashRegisterCode();
    c.Set(P::VintrelCashRegisterCode, link);
    c.Set(P::VintrelProcessingResponse, QStringLiteral("{\"cashRegisterCode\":\"%1\"}").arg(link));
    return OrvekResult::Ok;
}
} // namespace

void AddVintrelHandlers(OrvekHandlerTable& t)
{
    t.Add(M::VintrelCreatePayData, OrvekAccess::DeviceNoPassword, 0xFF70, &VintrelCreatePayData);
    t.Add(M::VintrelCreatePayDataByCode, OrvekAccess::DeviceNoPassword, 0xFF71, &VintrelCreatePayDataByCode);
    t.Add(M::VintrelGetPayStatus, OrvekAccess::DeviceNoPassword, 0xFF72, &VintrelGetPayStatus);
    t.Add(M::VintrelCancel, OrvekAccess::DeviceNoPassword, 0xFF73, &VintrelCancel);
    t.Add(M::VintrelRefund, OrvekAccess::DeviceNoPassword, 0xFF74, &VintrelRefund);
    t.Add(M::VintrelCreateCashRegisterCode, OrvekAccess::DeviceNoPassword, 0xFF75, &VintrelCreateCashRegisterCode);
}
