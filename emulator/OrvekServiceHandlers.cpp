// Clock, identity, decimal point and the session.
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterCounters.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterFiscalMemory.h"
#include "emulator/RegisterReceipt.h"

namespace {
using P = OrvekProp;
using M = OrvekMethod;

void PrintHeadline(OrvekCall& c, const QString& text)
{
    c.Reg().Paper().AddText(text);
}

std::int32_t Beep(OrvekCall&)
{
    return OrvekResult::Ok;
}

std::int32_t SetDate(OrvekCall& c)
{
    QDate date = DateTimeToQDateTime(c.Dbl(P::Date)).date();
    if (!date.isValid())
        return OrvekResult::BadParameter;
    c.Reg().State().PendingDate = date;
    c.Request.append(char(date.day())).append(char(date.month())).append(char(date.year() % 100));
    return OrvekResult::Ok;
}

// The date given again confirms the date set before.
std::int32_t ConfirmDate(OrvekCall& c)
{
    RegisterState& s = c.Reg().State();
    QDate date = DateTimeToQDateTime(c.Dbl(P::Date)).date();
    c.Request.append(char(date.day())).append(char(date.month())).append(char(date.year() % 100));
    if (!s.PendingDate.isValid())
        return OrvekResult::WrongMode;
    if (date != s.PendingDate)
        return OrvekResult::BadParameter;
    c.Reg().SetNow(QDateTime(date, c.Reg().Now().time()));
    s.PendingDate = QDate();
    return OrvekResult::Ok;
}

std::int32_t SetTime(OrvekCall& c)
{
    QTime time = DateTimeToQDateTime(c.Dbl(P::Time)).time();
    c.Reg().SetNow(QDateTime(c.Reg().Now().date(), time));
    c.Request.append(char(time.hour())).append(char(time.minute())).append(char(time.second()));
    return OrvekResult::Ok;
}

std::int32_t SetSerialNumber(OrvekCall& c)
{
    QString serial = c.Str(P::SerialNumber).trimmed();
    bool digits = !serial.isEmpty() && serial.size() <= 20;
    for (QChar ch : serial)
        digits = digits && ch.isDigit();
    if (!digits)
        return OrvekResult::BadParameter;
    // The factory number is written once: only over none or zeros.
    if (c.Reg().State().Serial.count(u'0') != c.Reg().State().Serial.size())
        return OrvekResult::WrongMode;
    c.Reg().State().Serial = serial;
    c.Reg().Tables().SetValue(18, 1, 1, serial);
    c.Request.append(serial.toLatin1());
    return OrvekResult::Ok;
}

std::int32_t SetPointPosition(OrvekCall& c)
{
    if (c.Reg().State().SessionOpen)
        return OrvekResult::WrongMode;
    c.Reg().SetFlag(EcrFlag::PointPosition, c.Bool(P::PointPosition));
    c.Request.append(char(c.Bool(P::PointPosition) ? 1 : 0));
    return OrvekResult::Ok;
}

std::int32_t OpenSession(OrvekCall& c)
{
    EmulatedRegister& r = c.Reg();
    RegisterState& s = r.State();
    if (r.Mode() != 4)
        return OrvekResult::WrongMode;
    if (std::int32_t code = r.Area<RegisterFN>().OpenSession())
        return code;
    s.PreviousMode = s.Mode;
    s.SessionOpen = true;
    s.Mode = 2;
    s.SessionOpenedAt = r.Now();
    ++s.DocumentNumber;
    PrintHeadline(c, QStringLiteral("ОТКРЫТИЕ СМЕНЫ %1").arg(s.SessionNumber + 1));
    c.Set(P::SessionNumber, s.SessionNumber + 1);
    c.Set(P::DocumentNumber, s.DocumentNumber);
    return OrvekResult::Ok;
}

std::int32_t PrintReportWithCleaning(OrvekCall& c)
{
    EmulatedRegister& r = c.Reg();
    RegisterState& s = r.State();
    int mode = r.Mode();
    if (mode != 2 && mode != 3)
        return OrvekResult::WrongMode;
    if (std::int32_t code = r.Area<RegisterFN>().CloseSession())
        return code;
    ++s.SessionNumber;
    r.Area<RegisterFiscalMemory>().SessionClosed(s.SessionNumber);
    ++s.DocumentNumber;
    s.PreviousMode = s.Mode;
    s.SessionOpen = false;
    s.Mode = 4;
    s.SessionOpenedAt = QDateTime();
    r.Area<RegisterReceipt>().EndSession();
    PrintHeadline(c, QStringLiteral("СУТОЧНЫЙ ОТЧЕТ С ГАШЕНИЕМ"));
    PrintHeadline(c, QStringLiteral("СМЕНА %1").arg(s.SessionNumber));
    c.Set(P::SessionNumber, s.SessionNumber);
    c.Set(P::DocumentNumber, s.DocumentNumber);
    return OrvekResult::Ok;
}

std::int32_t PrintReportWithoutCleaning(OrvekCall& c)
{
    EmulatedRegister& r = c.Reg();
    if (r.Mode() == 8)
        return OrvekResult::WrongMode;
    ++r.State().DocumentNumber;
    PrintHeadline(c, QStringLiteral("СУТОЧНЫЙ ОТЧЕТ БЕЗ ГАШЕНИЯ"));
    r.Area<RegisterCounters>().XReportPrinted();
    c.Set(P::DocumentNumber, r.State().DocumentNumber);
    return OrvekResult::Ok;
}
} // namespace

void AddServiceHandlers(OrvekHandlerTable& t)
{
    t.Add(M::Beep, OrvekAccess::Device, 0x13, &Beep);
    t.Add(M::SetDate, OrvekAccess::Device, 0x22, &SetDate);
    t.Add(M::ConfirmDate, OrvekAccess::Device, 0x23, &ConfirmDate);
    t.Add(M::SetTime, OrvekAccess::Device, 0x21, &SetTime);
    t.Add(M::SetSerialNumber, OrvekAccess::DeviceNoPassword, 0x0E, &SetSerialNumber);
    t.Add(M::SetPointPosition, OrvekAccess::Device, 0x2B, &SetPointPosition);
    t.Add(M::OpenSession, OrvekAccess::Device, 0xE0, &OpenSession);
    t.Add(M::PrintReportWithCleaning, OrvekAccess::Device, 0x41, &PrintReportWithCleaning);
    t.Add(M::PrintReportWithoutCleaning, OrvekAccess::Device, 0x40, &PrintReportWithoutCleaning);
}
