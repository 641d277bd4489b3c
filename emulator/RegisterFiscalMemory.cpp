#include "emulator/RegisterFiscalMemory.h"

#include "core/binding/OrvekCodes.h"
#include "emulator/RegisterCounters.h"

namespace {
constexpr int TaxDefaultParam = 36;
constexpr int TaxLockParam = 40;
constexpr std::uint32_t BlockedByTaxPassword = 8;  // FMFlagsEx

bool Digits(const QString& text, int maxLength)
{
    if (text.isEmpty() || text.size() > maxLength)
        return false;
    for (QChar c : text)
        if (!c.isDigit())
            return false;
    return true;
}
} // namespace

RegisterFiscalMemory::RegisterFiscalMemory(EmulatedRegister& reg) : FRegister(reg) {}

std::int32_t RegisterFiscalMemory::TaxPassword() const
{
    if (!Fiscalizations.empty())
        return Fiscalizations.back().TaxPassword;
    const ModelParam* p = FRegister.ModelParams().Find(TaxDefaultParam);
    return p ? p->Value.toInt() : 0;
}

std::int32_t RegisterFiscalMemory::EnterTaxPassword(std::int32_t password)
{
    RegisterState& s = FRegister.State();
    if (password == TaxPassword()) {
        FLocked = false;
        s.FMFlagsEx &= ~int(BlockedByTaxPassword);
        return OrvekResult::Ok;
    }
    const ModelParam* lock = FRegister.ModelParams().Find(TaxLockParam);
    if (lock && lock->Value.toBool()) {
        FLocked = true;
        s.FMFlagsEx |= int(BlockedByTaxPassword);
    }
    return OrvekResult::BadPassword;
}

std::int32_t RegisterFiscalMemory::Fiscalize(const QString& rnm, const QString& inn, std::int32_t newPassword,
                                             QString& description)
{
    RegisterState& s = FRegister.State();
    if (FRegister.Mode() != 4) {
        description = QStringLiteral("Фискализация возможна только при закрытой смене");
        return OrvekResult::WrongMode;
    }
    if (FreeRegistration() <= 0) {
        description = QStringLiteral("Исчерпан ресурс фискализаций");
        return OrvekResult::WrongMode;
    }
    if (!Digits(rnm, 14) || !Digits(inn, 12) || newPassword < 0 || newPassword > 99999999) {
        description = QStringLiteral("Неверные РНМ, ИНН или пароль налогового инспектора");
        return OrvekResult::BadParameter;
    }
    const QDate today = FRegister.Now().date();
    const int number = int(Fiscalizations.size()) + 1;
    Fiscalizations.push_back({number, rnm, inn, newPassword, s.SessionNumber, today});
    Activations.push_back({number, s.Serial.right(10).rightJustified(10, QLatin1Char('0')), s.SessionNumber, today});
    s.RegistrationNumber = number;
    s.FreeRegistration = FreeRegistration();
    s.INN = inn;
    s.LastFMRecordType = 0;
    FRegister.Paper().AddText(QStringLiteral("ФИСКАЛИЗАЦИЯ %1").arg(number));
    FRegister.Paper().AddText(QStringLiteral("РНМ %1  ИНН %2").arg(rnm, inn));
    return OrvekResult::Ok;
}

void RegisterFiscalMemory::SessionClosed(int number)
{
    const RegisterCounters& counters = FRegister.Area<RegisterCounters>();
    FMSession session{number, FRegister.Now().date(), {}};
    for (int kind = 0; kind < 4; ++kind)
        session.Summ[std::size_t(kind)] = counters.CashRegisterEx(CashRegEx::SessionTotals + kind);
    Sessions.push_back(session);
}

std::vector<const FMSession*> RegisterFiscalMemory::SessionsByNumber(int first, int last) const
{
    std::vector<const FMSession*> found;
    for (const FMSession& s : Sessions)
        if (s.Number >= first && s.Number <= last)
            found.push_back(&s);
    return found;
}

std::vector<const FMSession*> RegisterFiscalMemory::SessionsByDate(const QDate& first, const QDate& last) const
{
    std::vector<const FMSession*> found;
    for (const FMSession& s : Sessions)
        if (s.Date >= first && s.Date <= last)
            found.push_back(&s);
    return found;
}

void RegisterFiscalMemory::Print(const QStringList& lines, bool longReport)
{
    if (!longReport) {
        for (const QString& line : lines)
            FRegister.Paper().AddText(line);
        return;
    }
    FWaiting.insert(FWaiting.end(), lines.begin(), lines.end());
    FNextLine = FRegister.Now().addMSecs(LineMs);
}

void RegisterFiscalMemory::Pump()
{
    const QDateTime now = FRegister.Now();
    while (!FWaiting.empty() && FNextLine <= now) {
        FRegister.Paper().AddText(FWaiting.front());
        FWaiting.pop_front();
        FNextLine = FNextLine.addMSecs(LineMs);
    }
}

bool RegisterFiscalMemory::Interrupt()
{
    Pump();
    if (FWaiting.empty())
        return false;
    FWaiting.clear();
    FRegister.Paper().AddText(QStringLiteral("ОТЧЕТ ПРЕРВАН"));
    return true;
}

void FMFiscalization::Keep(StateArchive& a)
{
    a(Number, RNM, INN, TaxPassword, SessionNumber, Date);
}

void FMSession::Keep(StateArchive& a)
{
    a(Number, Date, Summ);
}

void EKLZActivation::Keep(StateArchive& a)
{
    a(Number, EKLZNumber, SessionNumber, Date);
}
