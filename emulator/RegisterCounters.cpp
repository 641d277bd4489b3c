#include "emulator/RegisterCounters.h"

#include "emulator/RegisterReceipt.h"

#include <algorithm>

namespace {
const char* const KindNames[] = {"продаж", "покупок", "возвратов продаж", "возвратов покупок"};

// The 27 extended registers that hold counts, sorted.
constexpr int CountRegisters[] = {4228, 4229, 4230, 4243, 4256, 4269, 4282, 4283, 4285, 4287, 4289, 4291, 4292, 4293,
                                  4306, 4319, 4332, 4345, 4346, 4348, 4350, 4352, 4354, 4355, 4357, 4359, 4361};
constexpr int ReceiptCountRegisters[] = {4228, 4229, 4230, 4243};
} // namespace

RegisterCounters::RegisterCounters(EmulatedRegister& reg)
    : FRegister(reg), FOperation(std::size_t(OperReg::DefaultCount), 0)
{
}

void RegisterCounters::SetOperationRegisterCount(int count)
{
    FOperation.resize(std::size_t(std::clamp(count, 0, 256)), 0);
}

bool RegisterCounters::CapFN() const
{
    const ModelParam* p = FRegister.ModelParams().Find(71);
    return p && p->Value.toBool();
}

std::vector<int> RegisterCounters::PairStarts() const
{
    if (CapFN())
        return {OperReg::ZReportsLow, 196, 198};
    return {OperReg::ZReportsLow, 195, 197};
}

QString RegisterCounters::OperationRegisterName(int number) const
{
    if (number < OperReg::Receipts && number < 64)
        return QStringLiteral("Количество %1 в %2 отдел")
            .arg(QString::fromUtf8(KindNames[number / 16]))
            .arg(number % 16 + 1);
    if (number >= OperReg::Receipts && number < OperReg::Receipts + 4)
        return QStringLiteral("Количество чеков %1").arg(QString::fromUtf8(KindNames[number - OperReg::Receipts]));
    if (number == OperReg::CashIns)
        return QStringLiteral("Количество внесений");
    if (number == OperReg::CashOuts)
        return QStringLiteral("Количество выплат");
    if (number == OperReg::XReports)
        return QStringLiteral("Количество отчетов без гашения");
    const std::vector<int> pairs = PairStarts();
    const QString what[] = {QStringLiteral("отчетов с гашением"), QStringLiteral("чеков"), QStringLiteral("документов")};
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        if (number == pairs[i])
            return QStringLiteral("Количество %1 (мл.)").arg(what[i]);
        if (number == pairs[i] + 1)
            return QStringLiteral("Количество %1 (ст.)").arg(what[i]);
    }
    return QStringLiteral("Операционный регистр %1").arg(number);
}

void RegisterCounters::Increment(int number)
{
    if (HasOperationRegister(number))
        ++FOperation[std::size_t(number)];
}

void RegisterCounters::IncrementPair(int low)
{
    if (!HasOperationRegister(low))
        return;
    if (++FOperation[std::size_t(low)] == 0)
        Increment(low + 1);   // the low half ran over
}

bool RegisterCounters::IsCountRegister(int number)
{
    return std::binary_search(std::begin(CountRegisters), std::end(CountRegisters), number);
}

Currency RegisterCounters::CashRegisterEx(int number) const
{
    const auto it = FCashEx.find(number);
    return it == FCashEx.end() ? 0 : it->second;
}

QString RegisterCounters::CashRegisterExName(int number)
{
    if (number >= CashRegEx::SessionTotals && number < CashRegEx::SessionTotals + 4)
        return QStringLiteral("Сумма чеков %1 за смену")
            .arg(QString::fromUtf8(KindNames[number - CashRegEx::SessionTotals]));
    for (int kind = 0; kind < 4; ++kind)
        if (number == ReceiptCountRegisters[kind])
            return QStringLiteral("Количество чеков %1 за смену").arg(QString::fromUtf8(KindNames[kind]));
    if (IsCountRegister(number))
        return QStringLiteral("Счетчик %1").arg(number);
    return QStringLiteral("Накопление %1").arg(number);
}

const Ware* RegisterCounters::FindWare(int code) const
{
    const auto it = FWares.find(code);
    return it == FWares.end() ? nullptr : &it->second;
}

void RegisterCounters::PutWare(int code, const Ware& ware)
{
    Ware& stored = FWares[code];
    const std::array<Currency, 4> session = stored.Session;
    stored = ware;
    stored.Session = session;   // updating a ware keeps its registers
}

std::array<Currency, 4> RegisterCounters::WareInReceipt(int code) const
{
    std::array<Currency, 4> amounts{};
    const RegisterReceipt& receipt = FRegister.Area<RegisterReceipt>();
    if (!receipt.IsOpen())
        return amounts;
    for (const ReceiptItem& item : receipt.Items()) {
        if (item.WareCode != code || item.Type < 0 || item.Type > 3)
            continue;
        if (item.Op == ReceiptOp::Registration)
            amounts[std::size_t(item.Type)] += item.Amount;
        else if (item.Op == ReceiptOp::Storno)
            amounts[std::size_t(item.Type)] -= item.Amount;
    }
    return amounts;
}

void RegisterCounters::ReceiptClosed(const ReceiptDocument& doc)
{
    const int kind = std::clamp(doc.Type, 0, 3);
    Increment(OperReg::Receipts + kind);
    const std::vector<int> pairs = PairStarts();
    IncrementPair(pairs[1]);
    IncrementPair(pairs[2]);
    FCashEx[CashRegEx::SessionTotals + kind] += doc.Total;
    FCashEx[ReceiptCountRegisters[kind]] += 10000;   // a count, held as a whole number

    for (const ReceiptItem& item : doc.Items) {
        const int sign = item.Op == ReceiptOp::Registration ? 1 : item.Op == ReceiptOp::Storno ? -1 : 0;
        if (sign == 0)
            continue;
        if (sign > 0)
            Increment(OperReg::ItemsByDepartment + kind * 16 + std::clamp(item.Department, 1, 16) - 1);
        if (item.WareCode != 0) {
            const auto ware = FWares.find(item.WareCode);
            if (ware != FWares.end())
                ware->second.Session[std::size_t(kind)] += sign * item.Amount;
        }
        if (kind == ReceiptType::Sale)
            for (int tax : item.Taxes)
                if (tax > 0) {
                    FByTax[tax].Count += sign;
                    FByTax[tax].Amount += sign * item.Amount;
                }
    }
    if (kind == ReceiptType::Sale) {
        TurnoverLine& cashier = FByCashier[FRegister.State().Operator];
        ++cashier.Count;
        cashier.Amount += doc.Total;
        TurnoverLine& hour = FByHour[doc.Time.time().hour()];
        ++hour.Count;
        hour.Amount += doc.Total;
    }
}

void RegisterCounters::CashMoved(bool in)
{
    Increment(in ? OperReg::CashIns : OperReg::CashOuts);
    IncrementPair(PairStarts()[2]);
}

void RegisterCounters::EndSession()
{
    IncrementPair(OperReg::ZReportsLow);
    IncrementPair(PairStarts()[2]);
    // The session's counts go back to 0; the pairs run on.
    for (int n = 0; n < OperationRegisterCount() && n <= OperReg::XReports; ++n)
        FOperation[std::size_t(n)] = 0;
    for (int n = CashRegEx::SessionTotals; n < CashRegEx::SessionTotals + 4; ++n)
        FCashEx.erase(n);
    for (int n : ReceiptCountRegisters)
        FCashEx.erase(n);
    FByTax.clear();
    FByCashier.clear();
    FByHour.clear();
    for (auto& [code, ware] : FWares)
        ware.Session = {};
}
