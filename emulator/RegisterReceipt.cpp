#include "emulator/RegisterReceipt.h"

#include "emulator/FNReceiptTags.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterCounters.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterMarking.h"
#include "emulator/RegisterPrinter.h"
#include "emulator/RegisterTags.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int PaymentCount = 16;
constexpr int DepartmentCount = 16;
constexpr int TaxGroups = 6;

bool InRange(Currency value)
{
    return value >= 0 && value <= RegisterReceipt::MaxAmount;
}

bool TaxesValid(const std::array<int, 4>& taxes)
{
    for (int tax : taxes)
        if (tax < 0 || tax > TaxGroups)
            return false;
    return true;
}

// One tax-system bit (ОСН 1 ... ПСН 32), or none.
bool TaxTypeValid(int taxType)
{
    return taxType == 0 || (taxType > 0 && taxType <= 32 && (taxType & (taxType - 1)) == 0);
}

bool FNItemValid(const FNItemData& fn)
{
    static const int measures[] = {0, 10, 11, 12, 20, 21, 22, 30, 31, 32, 40, 41, 42,
                                   50, 51, 70, 71, 72, 73, 80, 81, 82, 83, 255};
    const bool subject = (fn.PaymentItemSign >= 1 && fn.PaymentItemSign <= 27) ||
                         (fn.PaymentItemSign >= 30 && fn.PaymentItemSign <= 33);
    const bool status = (fn.ProductStatus >= 0 && fn.ProductStatus <= 6) || fn.ProductStatus == 255;
    return fn.Tax >= 1 && fn.Tax <= 10 && fn.PaymentTypeSign >= 1 && fn.PaymentTypeSign <= 7 && subject && status &&
           std::find(std::begin(measures), std::end(measures), fn.MeasureUnit) != std::end(measures) &&
           (!fn.TaxValue || InRange(*fn.TaxValue));
}

QString TaxName(int tax, bool vat20)
{
    static const char* const names[] = {"", "НДС 22%", "НДС 10%", "НДС 0%", "БЕЗ НДС", "НДС 22/122",
                                        "НДС 10/110", "НДС 5%", "НДС 7%", "НДС 5/105", "НДС 7/107"};
    if (vat20 && (tax == 1 || tax == 5))
        return tax == 1 ? QStringLiteral("НДС 20%") : QStringLiteral("НДС 20/120");
    return tax >= 1 && tax <= 10 ? QString::fromUtf8(names[tax]) : QString();
}

// Money comes into the drawer with a sale and a return of a purchase.
bool CashComesIn(int type)
{
    return type == ReceiptType::Sale || type == ReceiptType::ReturnBuy;
}

// The FN's operation type of a receipt kind: 1 sale, 2 sale return, 3 buy, 4 buy return.
int FNOperationType(int type)
{
    switch (type) {
    case ReceiptType::Buy: return 3;
    case ReceiptType::ReturnSale: return 2;
    case ReceiptType::ReturnBuy: return 4;
    }
    return 1;
}

QString KindName(int type)
{
    switch (type) {
    case ReceiptType::Sale: return QStringLiteral("ПРОДАЖА");
    case ReceiptType::Buy: return QStringLiteral("ПОКУПКА");
    case ReceiptType::ReturnSale: return QStringLiteral("ВОЗВРАТ ПРОДАЖИ");
    case ReceiptType::ReturnBuy: return QStringLiteral("ВОЗВРАТ ПОКУПКИ");
    }
    return {};
}

// Kind names in the genitive, for the register names.
QString KindOf(int type)
{
    switch (type) {
    case ReceiptType::Sale: return QStringLiteral("продаж");
    case ReceiptType::Buy: return QStringLiteral("покупок");
    case ReceiptType::ReturnSale: return QStringLiteral("возвратов продаж");
    case ReceiptType::ReturnBuy: return QStringLiteral("возвратов покупок");
    }
    return {};
}
} // namespace

RegisterReceipt::RegisterReceipt(EmulatedRegister& reg) : FRegister(reg) {}

bool RegisterReceipt::ItemAmount(Currency price, double quantity, int decimals, Currency& amount)
{
    if (!InRange(price) || !(quantity > 0) || quantity > 1e9 || decimals < 0 || decimals > 6)
        return false;
    const long double scale = std::pow(10.0L, decimals);
    const long double steps = std::llround(static_cast<long double>(quantity) * scale);
    if (steps <= 0)
        return false;
    // Kopecks of the price times the quantity, rounded half up.
    const long double kopecks = std::floor(static_cast<long double>(price / 100) * steps / scale + 0.5L);
    if (kopecks > static_cast<long double>(MaxAmount / 100))
        return false;
    amount = Currency(kopecks) * 100;
    return true;
}

Currency RegisterReceipt::SubTotal() const
{
    Currency sum = 0;
    for (int d = 1; d <= DepartmentCount; ++d)
        sum += FDepartments[std::size_t(d)];
    return sum - FDiscounts + FCharges;
}

Currency RegisterReceipt::CashRegister(int number) const
{
    if (number < 0 || number >= CashReg::Count)
        return 0;
    if (number < CashReg::Session) {
        int type = number / DepartmentCount;
        return FOpen && type == FType ? FDepartments[std::size_t(number % DepartmentCount + 1)] : 0;
    }
    return FRegisters[std::size_t(number)];
}

void RegisterReceipt::SetCashRegister(int number, Currency value)
{
    if (number >= CashReg::Session && number < CashReg::Count)
        FRegisters[std::size_t(number)] = value;
}

QString RegisterReceipt::CashRegisterName(int number)
{
    if (number < 0 || number >= CashReg::Count)
        return {};
    if (number < CashReg::Session)
        return QStringLiteral("Накопление %1 в %2 отдел в чеке").arg(KindOf(number / 16)).arg(number % 16 + 1);
    if (number < CashReg::SessionDiscounts) {
        int n = number - CashReg::Session;
        return QStringLiteral("Накопление %1 в %2 отдел за смену").arg(KindOf(n / 16)).arg(n % 16 + 1);
    }
    if (number < CashReg::SessionCharges)
        return QStringLiteral("Скидки %1 за смену").arg(KindOf(number - CashReg::SessionDiscounts));
    if (number < CashReg::SessionTotals)
        return QStringLiteral("Надбавки %1 за смену").arg(KindOf(number - CashReg::SessionCharges));
    if (number < CashReg::SessionTotals + 4)
        return QStringLiteral("Итог %1 за смену").arg(KindOf(number - CashReg::SessionTotals));
    if (number >= CashReg::SalePayments && number < CashReg::SalePayments + PaymentCount)
        return QStringLiteral("Оплата продаж типом %1 за смену").arg(number - CashReg::SalePayments + 1);
    switch (number) {
    case CashReg::CashInDrawer: return QStringLiteral("Наличность в кассе");
    case CashReg::SessionCashIn: return QStringLiteral("Внесения за смену");
    case CashReg::SessionCashOut: return QStringLiteral("Выплаты за смену");
    }
    return QStringLiteral("Резерв");
}

// Paper --------------------------------------------------------------------

int RegisterReceipt::Width() const
{
    int width = FRegister.Area<RegisterPrinter>().CharsPerLine(1);
    return width > 0 ? width : 40;
}

QString RegisterReceipt::AmountText(Currency value) const
{
    const bool negative = value < 0;
    const Currency kopecks = (negative ? -value : value) / 100;
    QString text = FRegister.Flag(EcrFlag::PointPosition)
                       ? QStringLiteral("%1.%2").arg(kopecks / 100).arg(int(kopecks % 100), 2, 10, QLatin1Char('0'))
                       : QString::number(kopecks / 100);
    return negative ? QLatin1Char('-') + text : text;
}

QString RegisterReceipt::PaymentName(int n) const
{
    QString name = FRegister.Tables().Value(5, n, 1).toString().trimmed();
    if (!name.isEmpty())
        return name.toUpper();
    return n == 1 ? QStringLiteral("НАЛИЧНЫМИ") : QStringLiteral("ТИП ОПЛАТЫ %1").arg(n);
}

// 0 when a document can be printed: the receipt ribbon is in and no
// document waits for ContinuePrint.
std::int32_t RegisterReceipt::CanPrint()
{
    RegisterState& s = FRegister.State();
    const bool paper = FRegister.Flag(EcrFlag::ReceiptRibbonIsPresent);
    if (paper && s.AdvancedMode == 2 && !FWaiting.isEmpty()) {
        s.AdvancedMode = 3;  // paper loaded: waits for ContinuePrint
        PaperLeft = -1;
    }
    if (!paper)
        return OrvekResult::NoPaper;
    if (s.AdvancedMode == 3 && !FWaiting.isEmpty())
        return OrvekResult::WaitingContinuePrint;
    return OrvekResult::Ok;
}

void RegisterReceipt::Feed(const QString& text)
{
    if (!FWaiting.isEmpty() || PaperLeft == 0) {
        FWaiting << text;
        FRegister.SetFlag(EcrFlag::ReceiptRibbonIsPresent, false);
        FRegister.State().AdvancedMode = 2;
        return;
    }
    FRegister.Paper().AddText(text);
    if (PaperLeft > 0)
        --PaperLeft;
}

void RegisterReceipt::Print(const QString& text)
{
    QString line = text.left(Width());
    FDocument << line;
    Feed(line);
}

// The left text, blanks, and the right text at the end of the line; on two
// lines when both do not fit on one.
void RegisterReceipt::PrintPair(const QString& left, const QString& right)
{
    const int width = Width();
    if (left.size() + right.size() + 1 > width) {
        Print(left);
        Print(right.rightJustified(width, QLatin1Char(' ')));
        return;
    }
    Print(left + QString(width - left.size() - right.size(), QLatin1Char(' ')) + right);
}

void RegisterReceipt::PrintFooter()
{
    PrintPair(FRegister.Now().toString(QStringLiteral("dd.MM.yy hh:mm")),
              QStringLiteral("ДОК. %1").arg(FNumber));
}

void RegisterReceipt::PrintItem(const ReceiptItem& item)
{
    switch (item.Op) {
    case ReceiptOp::Registration:
    case ReceiptOp::Storno:
        if (item.Op == ReceiptOp::Storno)
            Print(QStringLiteral("СТОРНО"));
        if (item.ExciseCode >= 0)
            Print(QStringLiteral("АКЦИЗ %1").arg(item.ExciseCode));
        if (!item.BarCode.isEmpty())
            Print(QStringLiteral("ШК %1").arg(item.BarCode));
        if (!item.Text.isEmpty())
            Print(item.Text);
        Print(QStringLiteral("%1 X %2")
                  .arg(QString::number(item.Quantity, 'f', item.QuantityDecimals), AmountText(item.Price)));
        PrintPair(QStringLiteral("%1").arg(item.Department, 2, 10, QLatin1Char('0')),
                  QLatin1Char('=') + AmountText(item.Amount));
        if (item.FN)
            Print(TaxName(item.FN->Tax, FVat20));
        return;
    case ReceiptOp::Discount:
    case ReceiptOp::Charge:
    case ReceiptOp::StornoDiscount:
    case ReceiptOp::StornoCharge: {
        static const char* const names[] = {"СКИДКА", "НАДБАВКА", "СТОРНО СКИДКИ", "СТОРНО НАДБАВКИ"};
        if (!item.Text.isEmpty())
            Print(item.Text);
        PrintPair(QString::fromUtf8(names[int(item.Op) - int(ReceiptOp::Discount)]),
                  QLatin1Char('=') + AmountText(item.Amount));
        return;
    }
    }
}

// Documents -----------------------------------------------------------------

// 0 when a document may start now: a receipt is not open and the session
// has not run over 24 hours.
std::int32_t RegisterReceipt::CanStartDocument() const
{
    switch (FRegister.Mode()) {
    case 2:
    case 4: return OrvekResult::Ok;
    case 3: return OrvekResult::SessionOver24Hours;
    case 8: return OrvekResult::ReceiptOpen;
    }
    return OrvekResult::WrongMode;
}

// 0 when the FN can take a new receipt: fiscal mode, no document being built.
std::int32_t RegisterReceipt::CanStartReceipt() const
{
    const RegisterFN& fn = FRegister.Area<RegisterFN>();
    if (std::int32_t code = fn.CheckFiscalMode())
        return code;
    return fn.CurrentDocument == FNOpenDoc::None ? OrvekResult::Ok : FNError::OtherState;
}

std::int32_t RegisterReceipt::OpenSessionIfClosed(const SessionOpener& openSession)
{
    if (FRegister.Mode() != 4)
        return OrvekResult::Ok;
    return openSession ? openSession() : OrvekResult::WrongMode;
}

void RegisterReceipt::StartDocument()
{
    FNumber = FRegister.State().DocumentNumber + 1;
    FDocument.clear();
}

void RegisterReceipt::FinishDocument()
{
    PrintFooter();
    FRegister.State().DocumentNumber = FNumber;
    FLastDocument = FDocument;
    FDocument.clear();
}

void RegisterReceipt::StartReceipt(int type, bool correction, bool vat20)
{
    RegisterState& s = FRegister.State();
    StartDocument();
    FOpen = true;
    FType = type;
    s.PreviousMode = s.Mode;
    s.Mode = 8;
    s.ModeStatus = type;
    s.OpenDocumentNumber = FNumber;
    s.QuantityOfOperations = 0;
    FCorrection = correction;
    FVat20 = vat20;
    FRegister.Area<RegisterFN>().BeginDocument(correction ? FNOpenDoc::CorrectionReceipt : FNOpenDoc::Receipt);
    PrintPair(correction ? QStringLiteral("ЧЕК КОРРЕКЦИИ") : QStringLiteral("КАССОВЫЙ ЧЕК"),
              QStringLiteral("№%1").arg(FNumber));
    Print(KindName(type));
}

void RegisterReceipt::EndReceipt()
{
    RegisterState& s = FRegister.State();
    FinishDocument();
    FOpen = false;
    FCorrection = false;
    FVat20 = false;
    FItems.clear();
    FDepartments.fill(0);
    FDiscounts = 0;
    FCharges = 0;
    s.PreviousMode = s.Mode;
    s.Mode = 2;
    s.ModeStatus = 0;
    s.QuantityOfOperations = 0;
}

std::int32_t RegisterReceipt::Open(int type, const SessionOpener& openSession, bool correction, bool vat20)
{
    if (type < ReceiptType::Sale || type > ReceiptType::ReturnBuy)
        return OrvekResult::BadParameter;
    if (std::int32_t code = CanStartDocument())
        return code;
    if (std::int32_t code = CanStartReceipt())
        return code;
    if (std::int32_t code = CanPrint())
        return code;
    if (std::int32_t code = OpenSessionIfClosed(openSession))
        return code;
    StartReceipt(type, correction, vat20);
    return OrvekResult::Ok;
}

std::int32_t RegisterReceipt::CheckItem(const ReceiptItem& item) const
{
    if (!TaxesValid(item.Taxes))
        return OrvekResult::BadParameter;
    if (item.WareCode != 0 && !FRegister.Area<RegisterCounters>().FindWare(item.WareCode))
        return OrvekResult::WareNotFound;
    switch (item.Op) {
    case ReceiptOp::Registration:
    case ReceiptOp::Storno: {
        Currency amount = 0;
        if (item.Department < 1 || item.Department > DepartmentCount || !ExpectedAmount(item, amount) ||
            amount != item.Amount || (item.FN && !FNItemValid(*item.FN)))
            return OrvekResult::BadParameter;
        return OrvekResult::Ok;
    }
    default:
        return item.Amount > 0 && InRange(item.Amount) ? OrvekResult::Ok : OrvekResult::BadParameter;
    }
}

// Price × quantity; an FN item's fractional quantity counts as numerator /
// denominator of it; an FN item with its sum given has that sum.
bool RegisterReceipt::ExpectedAmount(const ReceiptItem& item, Currency& amount)
{
    if (!ItemAmount(item.Price, item.Quantity, item.QuantityDecimals, amount))
        return false;
    if (!item.FN)
        return true;
    const FNItemData& fn = *item.FN;
    if (fn.Denominator != 0 || fn.Numerator != 0) {
        if (fn.Numerator <= 0 || fn.Denominator <= 0 || fn.Numerator > fn.Denominator)
            return false;
        amount = Currency(std::floor(static_cast<long double>(item.Price / 100) * fn.Numerator / fn.Denominator + 0.5L)) * 100;
    }
    if (fn.SummGiven) {
        if (!InRange(item.Amount))
            return false;
        amount = item.Amount;
    }
    return true;
}

// 0 when the item may go into the open receipt (or a new one of its kind).
std::int32_t RegisterReceipt::CheckEffect(const ReceiptItem& item) const
{
    const Currency sub = SubTotal();
    const Currency department = FDepartments[std::size_t(item.Department)];
    switch (item.Op) {
    case ReceiptOp::Registration:
    case ReceiptOp::Charge:
        return sub + item.Amount <= MaxAmount ? OrvekResult::Ok : OrvekResult::BadParameter;
    case ReceiptOp::Storno:
        return item.Amount <= department && item.Amount <= sub ? OrvekResult::Ok : OrvekResult::NegativeTotal;
    case ReceiptOp::Discount:
        return item.Amount <= sub ? OrvekResult::Ok : OrvekResult::NegativeTotal;
    case ReceiptOp::StornoDiscount:
        return item.Amount <= FDiscounts ? OrvekResult::Ok : OrvekResult::NegativeTotal;
    case ReceiptOp::StornoCharge:
        return item.Amount <= FCharges && item.Amount <= sub ? OrvekResult::Ok : OrvekResult::NegativeTotal;
    }
    return OrvekResult::BadParameter;
}

std::int32_t RegisterReceipt::Register(ReceiptItem item, const SessionOpener& openSession)
{
    if (item.Op != ReceiptOp::Registration && item.Type < 0)
        item.Type = FType;
    if (std::int32_t code = CheckItem(item))
        return code;
    if (FOpen) {
        if (item.Type != FType)
            return OrvekResult::ReceiptOpen;
        if (std::int32_t code = CheckEffect(item))
            return code;
        if (std::int32_t code = CanPrint())
            return code;
    } else {
        // Only a registration opens a receipt.
        if (item.Op != ReceiptOp::Registration)
            return OrvekResult::WrongMode;
        if (std::int32_t code = Open(item.Type, openSession))
            return code;
    }

    Currency& department = FDepartments[std::size_t(item.Department)];
    switch (item.Op) {
    case ReceiptOp::Registration: department += item.Amount; break;
    case ReceiptOp::Storno: department -= item.Amount; break;
    case ReceiptOp::Discount: FDiscounts += item.Amount; break;
    case ReceiptOp::Charge: FCharges += item.Amount; break;
    case ReceiptOp::StornoDiscount: FDiscounts -= item.Amount; break;
    case ReceiptOp::StornoCharge: FCharges -= item.Amount; break;
    }
    ++FRegister.State().QuantityOfOperations;
    item.TagsBefore = FRegister.Area<RegisterTags>().Sent.size();
    PrintItem(item);
    FItems.push_back(std::move(item));
    return OrvekResult::Ok;
}

std::int32_t RegisterReceipt::SubTotal(Currency& value) const
{
    if (!FOpen)
        return OrvekResult::WrongMode;
    value = SubTotal();
    return OrvekResult::Ok;
}

std::int32_t RegisterReceipt::Close(const ReceiptClosing& closing, Currency& change, QString& kpk)
{
    if (!FOpen)
        return OrvekResult::WrongMode;
    const double percent = std::round(closing.DiscountPercent * 100) / 100;
    if (!(percent >= 0 && percent <= 99.99) || !InRange(closing.DiscountValue) || !InRange(closing.ChargeValue) ||
        !TaxesValid(closing.Taxes))
        return OrvekResult::BadParameter;
    if (closing.FN) {
        const FNClosingData& fn = *closing.FN;
        if (fn.Rounding < 0 || fn.Rounding > 99 || !TaxTypeValid(fn.TaxType) ||
            !std::all_of(fn.TaxValues.begin(), fn.TaxValues.end(), InRange))
            return OrvekResult::BadParameter;
        // Only a tax system of the registration.
        if (fn.TaxType != 0 && !(fn.TaxType & FRegister.Area<RegisterFN>().Registration.TaxType))
            return OrvekResult::BadParameter;
    }
    const Currency rounding = closing.FN ? Currency(closing.FN->Rounding) * 100 : 0;
    Currency paid = 0;
    for (int n = 1; n <= PaymentCount; ++n) {
        if (!InRange(closing.Payments[std::size_t(n)]))
            return OrvekResult::BadParameter;
        paid += closing.Payments[std::size_t(n)];
    }
    if (std::int32_t code = CanPrint())
        return code;

    const Currency sub = SubTotal();
    const Currency percentOff = Currency(std::llround(static_cast<long double>(sub / 100) * percent / 100)) * 100;
    const Currency total = sub - percentOff - closing.DiscountValue + closing.ChargeValue - rounding;
    if (total < 0)
        return OrvekResult::NegativeTotal;
    if (total > MaxAmount)
        return OrvekResult::BadParameter;
    const Currency cash = closing.Payments[1];
    if (paid - cash > total)
        return OrvekResult::NonCashOverTotal;
    if (paid < total)
        return OrvekResult::PaymentTooSmall;
    const Currency rest = paid - total;   // the change, out of the cash
    const Currency cashKept = cash - rest;
    const bool cashIn = CashComesIn(FType);
    if (!cashIn && cashKept > Reg(CashReg::CashInDrawer))
        return OrvekResult::NotEnoughCash;

    for (int d = 1; d <= DepartmentCount; ++d)
        Reg(CashReg::Session + FType * DepartmentCount + d - 1) += FDepartments[std::size_t(d)];
    Reg(CashReg::SessionDiscounts + FType) += FDiscounts + percentOff + closing.DiscountValue;
    Reg(CashReg::SessionCharges + FType) += FCharges + closing.ChargeValue;
    Reg(CashReg::SessionTotals + FType) += total;
    if (FType == ReceiptType::Sale)
        for (int n = 1; n <= PaymentCount; ++n)
            Reg(CashReg::SalePayments + n - 1) += n == 1 ? cashKept : closing.Payments[std::size_t(n)];
    Reg(CashReg::CashInDrawer) += cashIn ? cashKept : -cashKept;

    if (percentOff > 0)
        PrintPair(QStringLiteral("СКИДКА %1%").arg(percent, 0, 'f', 2), QLatin1Char('=') + AmountText(percentOff));
    if (closing.DiscountValue > 0)
        PrintPair(QStringLiteral("СКИДКА"), QLatin1Char('=') + AmountText(closing.DiscountValue));
    if (closing.ChargeValue > 0)
        PrintPair(QStringLiteral("НАДБАВКА"), QLatin1Char('=') + AmountText(closing.ChargeValue));
    if (rounding > 0)
        PrintPair(QStringLiteral("ОКРУГЛЕНИЕ"), QLatin1Char('=') + AmountText(rounding));
    if (!closing.Text.isEmpty())
        Print(closing.Text);
    PrintPair(QStringLiteral("ИТОГ"), QLatin1Char('=') + AmountText(total));
    for (int n = 1; n <= PaymentCount; ++n)
        if (closing.Payments[std::size_t(n)] > 0)
            PrintPair(PaymentName(n), QLatin1Char('=') + AmountText(closing.Payments[std::size_t(n)]));
    if (cash > 0)
        PrintPair(QStringLiteral("СДАЧА"), QLatin1Char('=') + AmountText(rest));
    if (closing.FN)
        for (int n = 1; n <= 10; ++n)
            if (closing.FN->TaxValues[std::size_t(n)] > 0)
                PrintPair(TaxName(n, FVat20), QLatin1Char('=') + AmountText(closing.FN->TaxValues[std::size_t(n)]));
    kpk.clear();
    if (closing.WithKPK) {
        ++FKPKNumber;
        const quint32 value = quint32((FNumber * 7919u + quint64(total / 100) * 104729u) % 1000000u);
        kpk = QStringLiteral("%1 #%2").arg(FKPKNumber, 8, 10, QLatin1Char('0')).arg(value, 6, 10, QLatin1Char('0'));
        PrintPair(QStringLiteral("КПК"), kpk);
    }

    // The FN keeps the receipt with the tags sent for it.
    RegisterFN& fn = FRegister.Area<RegisterFN>();
    const int receiptNumber = fn.ReceiptCount() + 1;
    FNDocument& fnDoc = fn.AddDocument(FCorrection ? FNDocType::CorrectionReceipt : FNDocType::Receipt);
    fnDoc.ReceiptNumber = receiptNumber;
    fnDoc.OperationType = FNOperationType(FType);
    fnDoc.Summ = total;
    fnDoc.Payments = closing.Payments;
    fnDoc.Payments[1] = cashKept;
    std::vector<FNTag>& sent = FRegister.Area<RegisterTags>().Sent;
    if (closing.FN) {
        fnDoc.Tags = FNReceiptTags::Receipt(FItems, sent, *closing.FN, total, fnDoc.Payments);
        fnDoc.TaxSums = closing.FN->TaxValues;
        if (!closing.FN->AddTaxes)
            std::fill(fnDoc.TaxSums.begin() + 7, fnDoc.TaxSums.end(), 0);
    } else {
        fnDoc.Tags = std::move(sent);
    }
    sent.clear();
    FRegister.Area<RegisterMarking>().ReceiptClosed(fnDoc);
    PrintPair(QStringLiteral("ФД %1").arg(fnDoc.Number), QStringLiteral("ФП %1").arg(fnDoc.FiscalSign));

    ReceiptDocument doc;
    doc.Number = FNumber;
    doc.Type = FType;
    doc.Items = FItems;
    doc.SubTotal = sub;
    doc.Total = total;
    doc.Payments = closing.Payments;
    doc.Change = rest;
    doc.KPK = kpk;
    doc.Time = FRegister.Now();
    doc.FNNumber = fnDoc.Number;
    doc.FiscalSign = fnDoc.FiscalSign;
    FRegister.Area<RegisterCounters>().ReceiptClosed(doc);
    FLastReceipt = std::move(doc);
    EndReceipt();
    change = rest;
    return OrvekResult::Ok;
}

std::int32_t RegisterReceipt::Cancel()
{
    if (!FOpen)
        return OrvekResult::WrongMode;
    if (std::int32_t code = CanPrint())
        return code;
    Print(QStringLiteral("ЧЕК АННУЛИРОВАН"));
    FRegister.Area<RegisterFN>().CancelDocument();
    FRegister.Area<RegisterTags>().Sent.clear();
    EndReceipt();
    return OrvekResult::Ok;
}

std::int32_t RegisterReceipt::BeginCorrection(const SessionOpener& openSession)
{
    if (std::int32_t code = CanStartDocument())
        return code;
    if (std::int32_t code = CanStartReceipt())
        return code;
    if (std::int32_t code = OpenSessionIfClosed(openSession))
        return code;
    return FRegister.Area<RegisterFN>().BeginDocument(FNOpenDoc::CorrectionReceipt);
}

std::int32_t RegisterReceipt::BuildCorrection(const CorrectionData& data, const SessionOpener& openSession,
                                              const FNDocument** doc)
{
    if ((data.CalculationSign != 1 && data.CalculationSign != 3) || data.CorrectionType < -1 ||
        data.CorrectionType > 1 || !TaxTypeValid(data.TaxType) || !InRange(data.Total) ||
        !std::all_of(data.Payments.begin(), data.Payments.end(), InRange) ||
        !std::all_of(data.TaxSums.begin(), data.TaxSums.end(), InRange))
        return OrvekResult::BadParameter;
    Currency paid = 0;
    for (Currency payment : data.Payments)
        paid += payment;
    if (paid != data.Total)
        return OrvekResult::BadParameter;
    if (std::int32_t code = CanPrint())
        return code;
    RegisterFN& fn = FRegister.Area<RegisterFN>();
    if (FOpen)
        return OrvekResult::ReceiptOpen;
    if (fn.CurrentDocument != FNOpenDoc::CorrectionReceipt)
        if (std::int32_t code = BeginCorrection(openSession))
            return code;

    const Currency cash = data.Payments[1];
    const bool income = data.CalculationSign == 1;
    Reg(CashReg::CashInDrawer) += income ? cash : -std::min(cash, Reg(CashReg::CashInDrawer));
    StartDocument();
    PrintPair(QStringLiteral("ЧЕК КОРРЕКЦИИ"), QStringLiteral("№%1").arg(FNumber));
    Print(income ? QStringLiteral("КОРРЕКЦИЯ ПРИХОДА") : QStringLiteral("КОРРЕКЦИЯ РАСХОДА"));
    if (data.CorrectionType >= 0)
        Print(data.CorrectionType == 0 ? QStringLiteral("САМОСТОЯТЕЛЬНО") : QStringLiteral("ПО ПРЕДПИСАНИЮ"));
    PrintPair(QStringLiteral("ИТОГ"), QLatin1Char('=') + AmountText(data.Total));
    static const char* const payments[] = {"", "НАЛИЧНЫМИ", "БЕЗНАЛИЧНЫМИ", "ПРЕДОПЛАТА", "ПОСТОПЛАТА", "ВСТРЕЧНОЕ ПРЕДОСТАВЛЕНИЕ"};
    for (std::size_t n = 1; n < data.Payments.size(); ++n)
        if (data.Payments[n] > 0)
            PrintPair(QString::fromUtf8(payments[n]), QLatin1Char('=') + AmountText(data.Payments[n]));

    const int receiptNumber = fn.ReceiptCount() + 1;
    std::vector<FNTag>& sent = FRegister.Area<RegisterTags>().Sent;
    FNDocument& fnDoc = fn.AddDocument(FNDocType::CorrectionReceipt);
    fnDoc.ReceiptNumber = receiptNumber;
    fnDoc.OperationType = data.CalculationSign;
    fnDoc.Summ = data.Total;
    std::copy(data.Payments.begin() + 1, data.Payments.end(), fnDoc.Payments.begin() + 1);
    fnDoc.TaxSums = data.TaxSums;
    fnDoc.Tags = FNReceiptTags::Correction(data, sent);
    sent.clear();
    PrintPair(QStringLiteral("ФД %1").arg(fnDoc.Number), QStringLiteral("ФП %1").arg(fnDoc.FiscalSign));
    FinishDocument();
    if (doc)
        *doc = &fnDoc;
    return OrvekResult::Ok;
}

std::int32_t RegisterReceipt::CashMove(Currency amount, bool in, const SessionOpener& openSession)
{
    if (amount <= 0 || !InRange(amount))
        return OrvekResult::BadParameter;
    if (std::int32_t code = CanStartDocument())
        return code;
    if (std::int32_t code = CanPrint())
        return code;
    if (!in && amount > Reg(CashReg::CashInDrawer))
        return OrvekResult::NotEnoughCash;
    if (std::int32_t code = OpenSessionIfClosed(openSession))
        return code;
    StartDocument();
    PrintPair(in ? QStringLiteral("ВНЕСЕНИЕ") : QStringLiteral("ВЫПЛАТА"), QStringLiteral("№%1").arg(FNumber));
    PrintPair(QStringLiteral("СУММА"), QLatin1Char('=') + AmountText(amount));
    FinishDocument();
    Reg(in ? CashReg::SessionCashIn : CashReg::SessionCashOut) += amount;
    FRegister.Area<RegisterCounters>().CashMoved(in);
    Reg(CashReg::CashInDrawer) += in ? amount : -amount;
    return OrvekResult::Ok;
}

std::int32_t RegisterReceipt::CashIn(Currency amount, const SessionOpener& openSession)
{
    return CashMove(amount, true, openSession);
}

std::int32_t RegisterReceipt::CashOut(Currency amount, const SessionOpener& openSession)
{
    return CashMove(amount, false, openSession);
}

std::int32_t RegisterReceipt::RepeatDocument()
{
    if (FOpen)
        return OrvekResult::ReceiptOpen;
    if (FLastDocument.isEmpty())
        return OrvekResult::WrongMode;
    if (std::int32_t code = CanPrint())
        return code;
    Feed(QStringLiteral("КОПИЯ"));
    for (const QString& line : FLastDocument)
        Feed(line);
    return OrvekResult::Ok;
}

std::int32_t RegisterReceipt::ContinuePrint()
{
    const std::int32_t code = CanPrint();
    if (code == OrvekResult::NoPaper)
        return code;
    if (code != OrvekResult::WaitingContinuePrint)
        return OrvekResult::WrongMode;  // nothing waits
    QStringList lines = std::move(FWaiting);
    FWaiting.clear();
    FRegister.State().AdvancedMode = 0;
    for (const QString& line : lines)
        Feed(line);
    return OrvekResult::Ok;
}

void RegisterReceipt::Reset()
{
    FWaiting.clear();
    FRegister.State().AdvancedMode = 0;
    if (FOpen) {
        FRegister.Area<RegisterFN>().CancelDocument();
        FRegister.Area<RegisterTags>().Sent.clear();
        EndReceipt();
    }
}

void RegisterReceipt::EndSession()
{
    FRegister.Area<RegisterCounters>().EndSession();
    const Currency drawer = Reg(CashReg::CashInDrawer);
    for (int n = CashReg::Session; n < CashReg::Count; ++n)
        FRegisters[std::size_t(n)] = 0;
    // Table 1, field 2: the drawer's cash is zeroed with the session.
    if (FRegister.Tables().Value(1, 1, 2).toInt() == 0)
        Reg(CashReg::CashInDrawer) = drawer;
}

void RegisterReceipt::Keep(StateArchive& a)
{
    a(PaperLeft, FOpen, FCorrection, FVat20, FType, FNumber, FItems, FDiscounts, FCharges);
    KeepSparse(a, FDepartments);
    KeepSparse(a, FRegisters);
    a(FLastReceipt, FDocument, FLastDocument, FWaiting, FKPKNumber);
}
