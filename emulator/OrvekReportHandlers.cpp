// Reports, operation and extended cash registers, the ware base and the FN's
// non-resettable sums (RegisterCounters and RegisterFN keep the state).
#include "core/support/BinUtils.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterCounters.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterReceipt.h"

#include <algorithm>

namespace {
using P = OrvekProp;
using M = OrvekMethod;

RegisterCounters& Counters(OrvekCall& c)
{
    return c.Reg().Area<RegisterCounters>();
}

QString Amount(Currency value)
{
    return QString::number(CurrencyToDouble(value), 'f', 2);
}

// A report prints from the register's counters; not with a receipt open.
std::int32_t PrintReport(OrvekCall& c, const QString& title, const QStringList& lines)
{
    EmulatedRegister& r = c.Reg();
    if (r.Mode() == 8)
        return OrvekResult::WrongMode;
    RegisterPaper& paper = r.Paper();
    ++r.State().DocumentNumber;
    paper.AddText(title);
    for (const QString& line : lines)
        paper.AddText(line);
    if (lines.isEmpty())
        paper.AddText(QStringLiteral("НЕТ ДАННЫХ"));
    c.Set(P::DocumentNumber, r.State().DocumentNumber);
    return OrvekResult::Ok;
}

QStringList TurnoverLines(const std::map<int, TurnoverLine>& lines, const QString& caption)
{
    QStringList out;
    for (const auto& [key, line] : lines)
        out << caption.arg(key) << QStringLiteral("  ЧЕКОВ %1 =%2").arg(line.Count).arg(Amount(line.Amount));
    return out;
}

std::int32_t PrintDepartmentReport(OrvekCall& c)
{
    const RegisterReceipt& receipt = c.Reg().Area<RegisterReceipt>();
    const QString kinds[] = {QStringLiteral("ПРОДАЖА"), QStringLiteral("ПОКУПКА"), QStringLiteral("ВОЗВР. ПРОДАЖИ"),
                             QStringLiteral("ВОЗВР. ПОКУПКИ")};
    QStringList lines;
    for (int department = 1; department <= 16; ++department) {
        QStringList sums;
        for (int kind = 0; kind < 4; ++kind)
            if (Currency value = receipt.CashRegister(CashReg::Session + kind * 16 + department - 1))
                sums << QStringLiteral("  %1 =%2").arg(kinds[kind], Amount(value));
        if (!sums.isEmpty())
            lines << QStringLiteral("ОТДЕЛ %1").arg(department) << sums;
    }
    return PrintReport(c, QStringLiteral("ОТЧЕТ ПО ОТДЕЛАМ"), lines);
}

std::int32_t PrintTaxReport(OrvekCall& c)
{
    return PrintReport(c, QStringLiteral("ОТЧЕТ ПО НАЛОГАМ"),
                       TurnoverLines(Counters(c).ByTax(), QStringLiteral("НАЛОГ %1")));
}

std::int32_t PrintCashierReport(OrvekCall& c)
{
    return PrintReport(c, QStringLiteral("ОТЧЕТ ПО КАССИРАМ"),
                       TurnoverLines(Counters(c).ByCashier(), QStringLiteral("КАССИР %1")));
}

std::int32_t PrintHourlyReport(OrvekCall& c)
{
    return PrintReport(c, QStringLiteral("ПОЧАСОВОЙ ОТЧЕТ"),
                       TurnoverLines(Counters(c).ByHour(), QStringLiteral("ЧАС %1")));
}

std::int32_t PrintWareReport(OrvekCall& c)
{
    QStringList lines;
    for (const auto& [code, ware] : Counters(c).Wares()) {
        if (ware.Session == std::array<Currency, 4>{})
            continue;
        lines << QStringLiteral("ТОВАР %1 %2").arg(code).arg(ware.Text)
              << QStringLiteral("  ПРОДАЖА =%1").arg(Amount(ware.Session[0]));
    }
    return PrintReport(c, QStringLiteral("ОТЧЕТ ПО ТОВАРАМ"), lines);
}

std::int32_t PrintOperationReg(OrvekCall& c)
{
    const RegisterCounters& counters = Counters(c);
    QStringList lines;
    for (int n = 0; n < counters.OperationRegisterCount(); ++n)
        if (int value = counters.OperationRegister(n))
            lines << QStringLiteral("%1 %2 =%3").arg(n).arg(counters.OperationRegisterName(n)).arg(value);
    return PrintReport(c, QStringLiteral("ОПЕРАЦИОННЫЕ РЕГИСТРЫ"), lines);
}

// The Z report closes the session at once; what it prints goes to the buffer.
std::int32_t PrintZReportInBuffer(OrvekCall& c)
{
    RegisterPaper& paper = c.Reg().Paper();
    const std::uint64_t mark = paper.Total();
    const std::int32_t code = OrvekHandlers()[M::PrintReportWithCleaning].Handler(c);
    if (code != OrvekResult::Ok)
        return code;
    QStringList& buffer = Counters(c).ZReportBuffer;
    buffer.clear();
    for (const PaperItem& item : paper.TakeSince(mark))
        buffer << item.Text;
    return OrvekResult::Ok;
}

std::int32_t PrintZReportFromBuffer(OrvekCall& c)
{
    QStringList& buffer = Counters(c).ZReportBuffer;
    if (buffer.isEmpty())
        return OrvekResult::NoReportInBuffer;
    if (c.Reg().Mode() == 8)
        return OrvekResult::WrongMode;
    for (const QString& line : buffer)
        c.Reg().Paper().AddText(line);
    buffer.clear();
    return OrvekResult::Ok;
}

std::int32_t GetOperationReg(OrvekCall& c)
{
    const int number = c.Int(P::RegisterNumber);
    c.Request.append(char(number & 0xFF));
    const RegisterCounters& counters = Counters(c);
    if (!counters.HasOperationRegister(number))
        return OrvekResult::BadParameter;
    const int value = counters.OperationRegister(number);
    c.Set(P::ContentsOfOperationRegister, value);
    c.Set(P::NameOperationReg, counters.OperationRegisterName(number));
    c.Answer += IntToBin(value, 2);
    return OrvekResult::Ok;
}

std::int32_t GetCashRegEx(OrvekCall& c)
{
    const int number = c.Int(P::RegisterNumber);
    c.Request += IntToBin(number, 2);
    if (number < CashRegEx::First || number > CashRegEx::Last)
        return OrvekResult::BadParameter;
    c.Set(P::ContentsOfCashRegister, qlonglong(Counters(c).CashRegisterEx(number)));
    c.Set(P::NameCashRegEx, RegisterCounters::CashRegisterExName(number));
    return OrvekResult::Ok;
}

constexpr int MaxWareCode = 99999;

std::int32_t ReadWare(OrvekCall& c)
{
    const Ware* ware = Counters(c).FindWare(c.Int(P::WareCode));
    if (!ware)
        return OrvekResult::WareNotFound;
    c.Set(P::Price, qlonglong(ware->Price));
    c.Set(P::Department, ware->Department);
    c.Set(P::StringForPrinting, ware->Text);
    const P taxes[] = {P::Tax1, P::Tax2, P::Tax3, P::Tax4};
    for (int i = 0; i < 4; ++i)
        c.Set(taxes[i], ware->Taxes[std::size_t(i)]);
    return OrvekResult::Ok;
}

std::int32_t UpdateWare(OrvekCall& c)
{
    const int code = c.Int(P::WareCode);
    Ware ware;
    ware.Price = c.Curr(P::Price);
    ware.Department = c.Int(P::Department);
    ware.Text = c.Str(P::StringForPrinting);
    ware.Taxes = {c.Int(P::Tax1), c.Int(P::Tax2), c.Int(P::Tax3), c.Int(P::Tax4)};
    const bool taxesValid = std::all_of(ware.Taxes.begin(), ware.Taxes.end(), [](int t) { return t >= 0 && t <= 4; });
    if (code < 1 || code > MaxWareCode || ware.Price < 0 || ware.Price > RegisterReceipt::MaxAmount ||
        ware.Department < 1 || ware.Department > 16 || !taxesValid)
        return OrvekResult::BadParameter;
    Counters(c).PutWare(code, ware);
    return OrvekResult::Ok;
}

std::int32_t RemoveWare(OrvekCall& c)
{
    return Counters(c).RemoveWare(c.Int(P::WareCode)) ? OrvekResult::Ok : OrvekResult::WareNotFound;
}

std::int32_t GetWareBaseCashRegs(OrvekCall& c)
{
    const int code = c.Int(P::WareCode);
    const Ware* ware = Counters(c).FindWare(code);
    if (!ware)
        return OrvekResult::WareNotFound;
    const std::array<Currency, 4> receipt = Counters(c).WareInReceipt(code);
    const P inReceipt[] = {P::RegSaleRec, P::RegBuyRec, P::RegSaleReturnRec, P::RegBuyReturnRec};
    const P inSession[] = {P::RegSaleSession, P::RegBuySession, P::RegSaleReturnSession, P::RegBuyReturnSession};
    for (std::size_t kind = 0; kind < 4; ++kind) {
        c.Set(inReceipt[kind], qlonglong(receipt[kind]));
        c.Set(inSession[kind], qlonglong(ware->Session[kind]));
    }
    return OrvekResult::Ok;
}

const P Summs[] = {P::Summ1,  P::Summ2,  P::Summ3,  P::Summ4,  P::Summ5,  P::Summ6,  P::Summ7,  P::Summ8,
                   P::Summ9,  P::Summ10, P::Summ11, P::Summ12, P::Summ13, P::Summ14, P::Summ15, P::Summ16};

bool IsCorrection(const FNDocument& doc)
{
    return doc.Type == FNDocType::CorrectionReceipt || doc.Type == FNDocType::CorrectionBSO;
}

// The FN's totals of receipts (or corrections) by operation type 1..4.
std::array<Currency, 5> TotalsByOperation(const RegisterFN& fn, bool corrections)
{
    std::array<Currency, 5> totals{};
    for (const FNDocument& doc : fn.Documents)
        if (doc.IsReceipt() && IsCorrection(doc) == corrections && doc.OperationType >= 1 && doc.OperationType <= 4)
            totals[std::size_t(doc.OperationType)] += doc.Summ;
    return totals;
}

std::int32_t FNGetNonClearableSumm(OrvekCall& c)
{
    const RegisterFN& fn = c.Reg().Area<RegisterFN>();
    if (std::int32_t code = fn.CheckFiscalMode())
        return code;
    const std::array<Currency, 5> totals = TotalsByOperation(fn, false);
    for (std::size_t type = 1; type <= 4; ++type)
        c.Set(Summs[type - 1], qlonglong(totals[type]));
    return OrvekResult::Ok;
}

std::int32_t FNGetNonClearableSummEx(OrvekCall& c)
{
    const RegisterFN& fn = c.Reg().Area<RegisterFN>();
    const int type = c.Int(P::CheckType);
    c.Request.append(char(type));
    if (type < 1 || type > 5)
        return OrvekResult::BadParameter;
    if (std::int32_t code = fn.CheckFiscalMode())
        return code;
    std::array<Currency, 17> sums{};
    if (type == 5) {
        const std::array<Currency, 5> totals = TotalsByOperation(fn, true);
        std::copy(totals.begin() + 1, totals.end(), sums.begin() + 1);
    } else {
        for (const FNDocument& doc : fn.Documents)
            if (doc.IsReceipt() && !IsCorrection(doc) && doc.OperationType == type)
                for (std::size_t n = 1; n <= 16; ++n)
                    sums[n] += doc.Payments[n];
    }
    for (std::size_t n = 1; n <= 16; ++n)
        c.Set(Summs[n - 1], qlonglong(sums[n]));
    c.Set(P::CheckType, type);
    return OrvekResult::Ok;
}
} // namespace

void AddReportHandlers(OrvekHandlerTable& t)
{
    t.Add(M::PrintDepartmentReport, OrvekAccess::Device, 0x42, &PrintDepartmentReport);
    t.Add(M::PrintTaxReport, OrvekAccess::Device, 0x43, &PrintTaxReport);
    t.Add(M::PrintCashierReport, OrvekAccess::Device, 0x44, &PrintCashierReport);
    t.Add(M::PrintHourlyReport, OrvekAccess::Device, 0x45, &PrintHourlyReport);
    t.Add(M::PrintWareReport, OrvekAccess::Device, 0x46, &PrintWareReport);
    t.Add(M::PrintOperationReg, OrvekAccess::Device, 0x2E, &PrintOperationReg);
    t.Add(M::PrintZReportInBuffer, OrvekAccess::Device, 0xC6, &PrintZReportInBuffer);
    t.Add(M::PrintZReportFromBuffer, OrvekAccess::Device, 0xC7, &PrintZReportFromBuffer);
    t.Add(M::GetOperationReg, OrvekAccess::Device, 0x1B, &GetOperationReg);
    t.Add(M::GetCashRegEx, OrvekAccess::Device, 0x1A, &GetCashRegEx);
    t.Add(M::ReadWare, OrvekAccess::Device, 0xFF62, &ReadWare);
    t.Add(M::UpdateWare, OrvekAccess::Device, 0xFF61, &UpdateWare);
    t.Add(M::RemoveWare, OrvekAccess::Device, 0xFF63, &RemoveWare);
    t.Add(M::GetWareBaseCashRegs, OrvekAccess::Device, 0xFF64, &GetWareBaseCashRegs);
    t.Add(M::FNGetNonClearableSumm, OrvekAccess::Device, 0xFF1B, &FNGetNonClearableSumm);
    t.Add(M::FNGetNonClearableSummEx, OrvekAccess::Device, 0xFF1C, &FNGetNonClearableSummEx);
}
