// Service operations: the service centre's password, the resets, the
// authorisation key, the reboot, and the tax inspector's fiscalisation,
// fiscal memory reports and EKLZ queries.
#include "emulator/EmulatedOrvek.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterCounters.h"
#include "emulator/RegisterFirmware.h"
#include "emulator/RegisterFiscalMemory.h"
#include "emulator/RegisterReceipt.h"
#include "emulator/RegisterRegistrationData.h"
#include "emulator/RegisterServiceKeys.h"

namespace {
using P = OrvekProp;
using M = OrvekMethod;

constexpr int InitEEPROMParam = 57;  // the models with an EEPROM to initialise

RegisterFiscalMemory& FM(OrvekCall& c)
{
    return c.Reg().Area<RegisterFiscalMemory>();
}

QString AmountText(Currency value)
{
    return QString::number(double(value) / 10000, 'f', 2);
}

std::int32_t SetSCPassword(OrvekCall& c)
{
    RegisterServiceKeys& keys = c.Reg().Area<RegisterServiceKeys>();
    const std::int32_t next = c.Int(P::NewSCPassword);
    if (c.Int(P::SCPassword) != keys.SCPassword)
        return OrvekResult::BadPassword;
    if (next < 0 || next > RegisterServiceKeys::MaxSCPassword)
        return OrvekResult::BadParameter;
    keys.SCPassword = next;
    return OrvekResult::Ok;
}

// The resets need a closed session and no open document.
std::int32_t CanReset(OrvekCall& c)
{
    return c.Reg().Mode() == 4 ? OrvekResult::Ok : OrvekResult::WrongMode;
}

// Every table back to its defaults; the FN's registration shows in them again.
void ResetTables(EmulatedRegister& r)
{
    for (int table = 1; table <= r.Tables().Count(); ++table)
        r.Tables().Init(table);
    FillRegistrationTables(r);
}

std::int32_t ResetSettings(OrvekCall& c)
{
    if (std::int32_t code = CanReset(c))
        return code;
    ResetTables(c.Reg());
    c.Reg().Paper().AddText(QStringLiteral("ТЕХНОЛОГИЧЕСКОЕ ОБНУЛЕНИЕ"));
    return OrvekResult::Ok;
}

std::int32_t ResetSummary(OrvekCall& c)
{
    if (std::int32_t code = CanReset(c))
        return code;
    RegisterReceipt& receipt = c.Reg().Area<RegisterReceipt>();
    for (int n = 0; n < CashReg::Count; ++n)
        receipt.SetCashRegister(n, 0);
    c.Reg().Paper().AddText(QStringLiteral("ОБЩЕЕ ГАШЕНИЕ"));
    return OrvekResult::Ok;
}

std::int32_t InitEEPROM(OrvekCall& c)
{
    const ModelParam* p = c.Reg().ModelParams().Find(InitEEPROMParam);
    if (!p || !p->Value.toBool())
        return OrvekResult::CommandNotSupported;
    if (std::int32_t code = CanReset(c))
        return code;
    ResetTables(c.Reg());
    c.Reg().Area<RegisterServiceKeys>() = {};
    c.Reg().Paper().AddText(QStringLiteral("ИНИЦИАЛИЗАЦИЯ EEPROM"));
    return OrvekResult::Ok;
}

// 16 bytes as 32 hexadecimal digits, blanks between them allowed.
bool ParseAuthKey(const QString& text, QByteArray& key)
{
    QString digits = text;
    digits.remove(QLatin1Char(' '));
    if (digits.size() != 2 * RegisterServiceKeys::AuthKeySize)
        return false;
    for (QChar ch : digits)
        if (!isxdigit(ch.toLatin1()) || ch.unicode() > 0x7F)
            return false;
    key = QByteArray::fromHex(digits.toLatin1());
    return true;
}

std::int32_t WriteKey(OrvekCall& c, bool rewrite)
{
    RegisterServiceKeys& keys = c.Reg().Area<RegisterServiceKeys>();
    QByteArray key;
    if (!ParseAuthKey(c.Str(P::AuthKey), key)) {
        c.Description = QStringLiteral("Ключ авторизации: 16 байт в шестнадцатеричном виде");
        return OrvekResult::BadParameter;
    }
    if (keys.AuthKey.isEmpty() == rewrite) {
        c.Description = rewrite ? QStringLiteral("Ключ авторизации не записан")
                                : QStringLiteral("Ключ авторизации уже записан");
        return OrvekResult::WrongMode;
    }
    keys.AuthKey = key;
    c.Request.append(key);
    return OrvekResult::Ok;
}

std::int32_t WriteAuthKey(OrvekCall& c)
{
    return WriteKey(c, false);
}

std::int32_t RewriteAuthKey(OrvekCall& c)
{
    return WriteKey(c, true);
}

std::int32_t ResetAuthKey(OrvekCall& c)
{
    c.Reg().Area<RegisterServiceKeys>().AuthKey.clear();
    return OrvekResult::Ok;
}

// The register restarts; the link drops and the next call connects again.
std::int32_t RebootKKT(OrvekCall& c)
{
    RestartRegister(c.Reg());
    c.Driver.DisconnectNow();
    return OrvekResult::Ok;
}

// Every tax inspector's command: the printing report first, then the password.
std::int32_t TaxAccess(OrvekCall& c)
{
    RegisterFiscalMemory& fm = FM(c);
    fm.Pump();
    if (fm.Printing() && c.Method != M::InterruptFullReport)
        return OrvekResult::PrinterBusy;
    if (std::int32_t code = fm.EnterTaxPassword(c.Int(P::Password)))
        return code;
    c.Set(P::EnteredTaxPassword, c.Int(P::Password));
    return OrvekResult::Ok;
}

std::int32_t Fiscalization(OrvekCall& c)
{
    if (std::int32_t code = TaxAccess(c))
        return code;
    RegisterFiscalMemory& fm = FM(c);
    if (std::int32_t code = fm.Fiscalize(c.Str(P::RNM).trimmed(), c.Str(P::INN).trimmed(),
                                         c.Int(P::NewPasswordTI), c.Description))
        return code;
    const FMFiscalization& f = fm.Fiscalizations.back();
    c.Set(P::RegistrationNumber, f.Number);
    c.Set(P::FreeRegistration, fm.FreeRegistration());
    c.Set(P::SessionNumber, f.SessionNumber);
    c.Set(P::Date, QDateToDateTime(f.Date));
    // The inspector's new password is the one entered from now.
    c.Set(P::EnteredTaxPassword, f.TaxPassword);
    return OrvekResult::Ok;
}

std::int32_t GetFiscalizationParameters(OrvekCall& c)
{
    if (std::int32_t code = TaxAccess(c))
        return code;
    const int number = c.Int(P::RegistrationNumber);
    const auto& all = FM(c).Fiscalizations;
    if (number < 1 || number > int(all.size())) {
        c.Description = QStringLiteral("Нет фискализации с номером %1").arg(number);
        return OrvekResult::BadParameter;
    }
    const FMFiscalization& f = all[std::size_t(number - 1)];
    c.Set(P::NewPasswordTI, f.TaxPassword);
    c.Set(P::RNM, f.RNM);
    c.Set(P::INN, f.INN);
    c.Set(P::SessionNumber, f.SessionNumber);
    c.Set(P::Date, QDateToDateTime(f.Date));
    return OrvekResult::Ok;
}

// The first and last of the sessions found into the range properties.
std::int32_t SetRange(OrvekCall& c, const std::vector<const FMSession*>& sessions)
{
    if (sessions.empty()) {
        c.Description = QStringLiteral("В фискальной памяти нет смен в заданном диапазоне");
        return OrvekResult::BadParameter;
    }
    c.Set(P::FirstSessionNumber, sessions.front()->Number);
    c.Set(P::LastSessionNumber, sessions.back()->Number);
    c.Set(P::FirstSessionDate, QDateToDateTime(sessions.front()->Date));
    c.Set(P::LastSessionDate, QDateToDateTime(sessions.back()->Date));
    return OrvekResult::Ok;
}

std::vector<const FMSession*> ByDates(OrvekCall& c)
{
    return FM(c).SessionsByDate(DateTimeToQDateTime(c.Dbl(P::FirstSessionDate)).date(),
                                DateTimeToQDateTime(c.Dbl(P::LastSessionDate)).date());
}

std::vector<const FMSession*> ByNumbers(OrvekCall& c)
{
    return FM(c).SessionsByNumber(c.Int(P::FirstSessionNumber), c.Int(P::LastSessionNumber));
}

std::int32_t GetRangeDatesAndSessions(OrvekCall& c)
{
    if (std::int32_t code = TaxAccess(c))
        return code;
    std::vector<const FMSession*> all;
    for (const FMSession& s : FM(c).Sessions)
        all.push_back(&s);
    return SetRange(c, all);
}

const char* const KindNames[4] = {"ПРОДАЖИ", "ПОКУПКИ", "ВОЗВРАТЫ ПРОДАЖ", "ВОЗВРАТЫ ПОКУПОК"};

// A short report gives the range's totals; a long one each session's too.
std::int32_t FiscalReport(OrvekCall& c, const std::vector<const FMSession*>& sessions)
{
    if (std::int32_t code = SetRange(c, sessions))
        return code;
    const bool longReport = c.Bool(P::ReportType);
    QStringList lines{longReport ? QStringLiteral("ПОЛНЫЙ ФИСКАЛЬНЫЙ ОТЧЕТ") : QStringLiteral("КРАТКИЙ ФИСКАЛЬНЫЙ ОТЧЕТ"),
                      QStringLiteral("СМЕНЫ %1-%2").arg(sessions.front()->Number).arg(sessions.back()->Number)};
    std::array<Currency, 4> total{};
    for (const FMSession* s : sessions) {
        if (longReport)
            lines << QStringLiteral("СМЕНА %1  %2").arg(s->Number).arg(s->Date.toString(QStringLiteral("dd.MM.yy")));
        for (std::size_t k = 0; k < 4; ++k) {
            total[k] += s->Summ[k];
            if (longReport)
                lines << QStringLiteral("%1 %2").arg(QString::fromUtf8(KindNames[k]), AmountText(s->Summ[k]));
        }
    }
    lines << QStringLiteral("ИТОГО");
    for (std::size_t k = 0; k < 4; ++k)
        lines << QStringLiteral("%1 %2").arg(QString::fromUtf8(KindNames[k]), AmountText(total[k]));
    FM(c).Print(lines, longReport);
    return OrvekResult::Ok;
}

std::int32_t FiscalReportForDatesRange(OrvekCall& c)
{
    if (std::int32_t code = TaxAccess(c))
        return code;
    return FiscalReport(c, ByDates(c));
}

std::int32_t FiscalReportForSessionRange(OrvekCall& c)
{
    if (std::int32_t code = TaxAccess(c))
        return code;
    return FiscalReport(c, ByNumbers(c));
}

std::int32_t InterruptFullReport(OrvekCall& c)
{
    if (std::int32_t code = TaxAccess(c))
        return code;
    if (!FM(c).Interrupt()) {
        c.Description = QStringLiteral("Полный отчет не печатается");
        return OrvekResult::WrongMode;
    }
    return OrvekResult::Ok;
}

std::int32_t PrintOperationalTaxReport(OrvekCall& c)
{
    if (std::int32_t code = TaxAccess(c))
        return code;
    const RegisterCounters& counters = c.Reg().Area<RegisterCounters>();
    QStringList lines{QStringLiteral("ОПЕРАТИВНЫЙ ОТЧЕТ НИ"),
                      QStringLiteral("СМЕНА %1").arg(c.Reg().State().SessionNumber + 1)};
    for (int k = 0; k < 4; ++k)
        lines << QStringLiteral("%1 %2").arg(QString::fromUtf8(KindNames[k]),
                                             AmountText(counters.CashRegisterEx(CashRegEx::SessionTotals + k)));
    FM(c).Print(lines, false);
    return OrvekResult::Ok;
}

// Summ1..Summ4: sales, purchases, sale returns, purchase returns of the range.
std::int32_t ShortReport(OrvekCall& c, const std::vector<const FMSession*>& sessions)
{
    if (std::int32_t code = SetRange(c, sessions))
        return code;
    std::array<Currency, 4> total{};
    for (const FMSession* s : sessions)
        for (std::size_t k = 0; k < 4; ++k)
            total[k] += s->Summ[k];
    const P summs[4] = {P::Summ1, P::Summ2, P::Summ3, P::Summ4};
    for (std::size_t k = 0; k < 4; ++k)
        c.Set(summs[k], qlonglong(total[k]));
    return OrvekResult::Ok;
}

std::int32_t GetShortReportInDatesRange(OrvekCall& c)
{
    if (std::int32_t code = TaxAccess(c))
        return code;
    return ShortReport(c, ByDates(c));
}

std::int32_t GetShortReportInSessionRange(OrvekCall& c)
{
    if (std::int32_t code = TaxAccess(c))
        return code;
    return ShortReport(c, ByNumbers(c));
}

std::int32_t ReadEKLZActivizationParams(OrvekCall& c)
{
    if (std::int32_t code = TaxAccess(c))
        return code;
    const int number = c.Int(P::RegistrationNumber);
    const auto& all = FM(c).Activations;
    if (number < 1 || number > int(all.size())) {
        c.Description = QStringLiteral("Нет активизации ЭКЛЗ с номером %1").arg(number);
        return OrvekResult::BadParameter;
    }
    const EKLZActivation& a = all[std::size_t(number - 1)];
    c.Set(P::Date, QDateToDateTime(a.Date));
    c.Set(P::SessionNumber, a.SessionNumber);
    c.Set(P::EKLZNumber, a.EKLZNumber);
    return OrvekResult::Ok;
}
} // namespace

void AddServiceOperationHandlers(OrvekHandlerTable& t)
{
    using A = OrvekAccess;
    t.Add(M::SetSCPassword, A::DeviceNoPassword, 0xFE06, &SetSCPassword);
    t.Add(M::ResetSettings, A::Device, 0x16, &ResetSettings);
    t.Add(M::ResetSummary, A::Device, 0x18, &ResetSummary);
    t.Add(M::InitEEPROM, A::Device, 0x14, &InitEEPROM);
    t.Add(M::WriteAuthKey, A::Device, 0xFE30, &WriteAuthKey);
    t.Add(M::RewriteAuthKey, A::Device, 0xFE31, &RewriteAuthKey);
    t.Add(M::ResetAuthKey, A::Device, 0xFE32, &ResetAuthKey);
    t.Add(M::RebootKKT, A::Device, 0xFEF3, &RebootKKT);
    t.Add(M::Fiscalization, A::DeviceNoPassword, 0x65, &Fiscalization);
    t.Add(M::GetFiscalizationParameters, A::DeviceNoPassword, 0x69, &GetFiscalizationParameters);
    t.Add(M::GetRangeDatesAndSessions, A::DeviceNoPassword, 0x64, &GetRangeDatesAndSessions);
    t.Add(M::FiscalReportForDatesRange, A::DeviceNoPassword, 0x66, &FiscalReportForDatesRange);
    t.Add(M::FiscalReportForSessionRange, A::DeviceNoPassword, 0x67, &FiscalReportForSessionRange);
    t.Add(M::InterruptFullReport, A::DeviceNoPassword, 0x68, &InterruptFullReport);
    t.Add(M::PrintOperationalTaxReport, A::DeviceNoPassword, 0x6A, &PrintOperationalTaxReport);
    t.Add(M::GetShortReportInDatesRange, A::DeviceNoPassword, 0xAD, &GetShortReportInDatesRange);
    t.Add(M::GetShortReportInSessionRange, A::DeviceNoPassword, 0xAE, &GetShortReportInSessionRange);
    t.Add(M::ReadEKLZActivizationParams, A::DeviceNoPassword, 0xAF, &ReadEKLZActivizationParams);
}
