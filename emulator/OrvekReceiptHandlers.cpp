// The receipt: items, storno, discounts and charges, subtotal, closings,
// cancelling, cash in and out, the copy of the last document, continued
// printing and the cash registers (RegisterReceipt keeps the state).
#include "core/support/BinUtils.h"
#include "core/support/CodePage.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterReceipt.h"

namespace {
using P = OrvekProp;
using M = OrvekMethod;

RegisterReceipt& Receipt(OrvekCall& c)
{
    return c.Reg().Area<RegisterReceipt>();
}


// An amount as the register's five bytes of kopecks.
void AppendAmount(QByteArray& bytes, Currency value)
{
    bytes += IntToBin(value / 100, 5);
}

void AppendText(QByteArray& bytes, const QString& text)
{
    bytes.append(WideToAnsi(text).leftJustified(40, '\0', true));
}

std::array<int, 4> Taxes(OrvekCall& c)
{
    return {c.Int(P::Tax1), c.Int(P::Tax2), c.Int(P::Tax3), c.Int(P::Tax4)};
}

void AppendTaxes(QByteArray& bytes, const std::array<int, 4>& taxes)
{
    for (int tax : taxes)
        bytes.append(char(tax));
}

// An item from Price, Quantity, Department, Tax1..Tax4 and StringForPrinting.
ReceiptItem Item(OrvekCall& c, ReceiptOp op, int type, int decimals = 3)
{
    ReceiptItem item;
    item.Op = op;
    item.Type = type;
    item.Price = c.Curr(P::Price);
    item.Quantity = c.Dbl(P::Quantity);
    item.QuantityDecimals = decimals;
    item.Department = c.Int(P::Department);
    item.Taxes = Taxes(c);
    item.Text = c.Str(P::StringForPrinting);
    if (c.Bool(P::UseWareCode))
        item.WareCode = c.Int(P::WareCode);
    RegisterReceipt::ItemAmount(item.Price, item.Quantity, decimals, item.Amount);
    return item;
}

std::int32_t RegisterItem(OrvekCall& c, ReceiptItem item)
{
    c.Request += IntToBin(std::llround(item.Quantity * 1000), 5);
    AppendAmount(c.Request, item.Price);
    c.Request.append(char(item.Department));
    AppendTaxes(c.Request, item.Taxes);
    AppendText(c.Request, item.Text);
    return Receipt(c).Register(std::move(item), SessionOpenerOf(c));
}

std::int32_t Sale(OrvekCall& c) { return RegisterItem(c, Item(c, ReceiptOp::Registration, ReceiptType::Sale)); }
std::int32_t Buy(OrvekCall& c) { return RegisterItem(c, Item(c, ReceiptOp::Registration, ReceiptType::Buy)); }
std::int32_t ReturnSale(OrvekCall& c) { return RegisterItem(c, Item(c, ReceiptOp::Registration, ReceiptType::ReturnSale)); }
std::int32_t ReturnBuy(OrvekCall& c) { return RegisterItem(c, Item(c, ReceiptOp::Registration, ReceiptType::ReturnBuy)); }
// A sale with the quantity to six decimals.
std::int32_t SaleEx(OrvekCall& c) { return RegisterItem(c, Item(c, ReceiptOp::Registration, ReceiptType::Sale, 6)); }
std::int32_t Storno(OrvekCall& c) { return RegisterItem(c, Item(c, ReceiptOp::Storno, -1)); }

// A discount or charge of Summ1 on the receipt.
std::int32_t Adjust(OrvekCall& c, ReceiptOp op)
{
    ReceiptItem item;
    item.Op = op;
    item.Type = -1;
    item.Amount = c.Curr(P::Summ1);
    item.Taxes = Taxes(c);
    item.Text = c.Str(P::StringForPrinting);
    AppendAmount(c.Request, item.Amount);
    AppendTaxes(c.Request, item.Taxes);
    AppendText(c.Request, item.Text);
    return Receipt(c).Register(std::move(item), SessionOpenerOf(c));
}

std::int32_t Discount(OrvekCall& c) { return Adjust(c, ReceiptOp::Discount); }
std::int32_t Charge(OrvekCall& c) { return Adjust(c, ReceiptOp::Charge); }
std::int32_t StornoDiscount(OrvekCall& c) { return Adjust(c, ReceiptOp::StornoDiscount); }
std::int32_t StornoCharge(OrvekCall& c) { return Adjust(c, ReceiptOp::StornoCharge); }

// OperationType 0..3 registers an item of that kind, 16..19 takes one back;
// the quantity is 1.
std::int32_t ExcisableOperation(OrvekCall& c)
{
    const int operation = c.Int(P::OperationType);
    const int kind = operation & 0x0F;
    if ((operation & ~0x10) != kind || kind > ReceiptType::ReturnBuy || c.Int(P::ExciseCode) < 0)
        return OrvekResult::BadParameter;
    ReceiptItem item;
    item.Op = operation & 0x10 ? ReceiptOp::Storno : ReceiptOp::Registration;
    item.Type = kind;
    item.Price = c.Curr(P::Price);
    item.Quantity = 1;
    item.Department = c.Int(P::Department);
    item.Taxes = Taxes(c);
    item.Text = c.Str(P::StringForPrinting);
    item.ExciseCode = c.Int(P::ExciseCode);
    item.BarCode = c.Str(P::BarCode);
    RegisterReceipt::ItemAmount(item.Price, 1, 3, item.Amount);
    c.Request.append(char(operation)).append(char(item.ExciseCode));
    return RegisterItem(c, std::move(item));
}

std::int32_t CheckSubTotal(OrvekCall& c)
{
    Currency value = 0;
    if (std::int32_t code = Receipt(c).SubTotal(value))
        return code;
    c.Set(P::Summ1, qlonglong(value));
    AppendAmount(c.Answer, value);
    return OrvekResult::Ok;
}

std::int32_t OpenCheck(OrvekCall& c)
{
    c.Request.append(char(c.Int(P::CheckType)));
    return Receipt(c).Open(c.Int(P::CheckType), SessionOpenerOf(c));
}

// Summ1..Summ<sums> as the payments.
ReceiptClosing Closing(OrvekCall& c, int sums)
{
    static const P summs[] = {P::Summ1,  P::Summ2,  P::Summ3,  P::Summ4,  P::Summ5,  P::Summ6,
                              P::Summ7,  P::Summ8,  P::Summ9,  P::Summ10, P::Summ11, P::Summ12,
                              P::Summ13, P::Summ14, P::Summ15, P::Summ16};
    ReceiptClosing closing;
    for (int n = 1; n <= sums; ++n) {
        closing.Payments[std::size_t(n)] = c.Curr(summs[n - 1]);
        AppendAmount(c.Request, closing.Payments[std::size_t(n)]);
    }
    closing.DiscountPercent = c.Dbl(P::DiscountOnCheck);
    c.Request += IntToBin(std::llround(closing.DiscountPercent * 100), 2);
    return closing;
}

std::int32_t Close(OrvekCall& c, ReceiptClosing closing)
{
    Currency change = 0;
    QString kpk;
    std::int32_t code = Receipt(c).Close(closing, change, kpk);
    if (code != OrvekResult::Ok)
        return code;
    c.Set(P::Change, qlonglong(change));
    AppendAmount(c.Answer, change);
    if (closing.WithKPK) {
        c.Set(P::KPKStr, kpk);
        c.Answer.append(kpk.toLatin1());
    }
    return OrvekResult::Ok;
}

// Sums 1..4 (or 1..16), the discount in percent, taxes and the text.
std::int32_t CloseWithSums(OrvekCall& c, int sums, bool withKPK)
{
    ReceiptClosing closing = Closing(c, sums);
    closing.Taxes = Taxes(c);
    closing.Text = c.Str(P::StringForPrinting);
    closing.WithKPK = withKPK;
    AppendTaxes(c.Request, closing.Taxes);
    AppendText(c.Request, closing.Text);
    return Close(c, std::move(closing));
}

std::int32_t CloseCheck(OrvekCall& c) { return CloseWithSums(c, 4, false); }
std::int32_t CloseCheckWithKPK(OrvekCall& c) { return CloseWithSums(c, 4, true); }
std::int32_t CloseCheckEx(OrvekCall& c) { return CloseWithSums(c, 16, false); }

// Sums 1..4, the discount in percent and the absolute discount and charge.
std::int32_t CloseCheckBel(OrvekCall& c)
{
    ReceiptClosing closing = Closing(c, 4);
    closing.DiscountValue = c.Curr(P::DiscountValue);
    closing.ChargeValue = c.Curr(P::ChargeValue);
    AppendAmount(c.Request, closing.DiscountValue);
    AppendAmount(c.Request, closing.ChargeValue);
    return Close(c, std::move(closing));
}

std::int32_t CancelCheck(OrvekCall& c)
{
    return Receipt(c).Cancel();
}

std::int32_t CashIncome(OrvekCall& c)
{
    AppendAmount(c.Request, c.Curr(P::Summ1));
    return Receipt(c).CashIn(c.Curr(P::Summ1), SessionOpenerOf(c));
}

std::int32_t CashOutcome(OrvekCall& c)
{
    AppendAmount(c.Request, c.Curr(P::Summ1));
    return Receipt(c).CashOut(c.Curr(P::Summ1), SessionOpenerOf(c));
}

std::int32_t RepeatDocument(OrvekCall& c)
{
    return Receipt(c).RepeatDocument();
}

std::int32_t ContinuePrint(OrvekCall& c)
{
    return Receipt(c).ContinuePrint();
}

std::int32_t GetCashReg(OrvekCall& c)
{
    const int number = c.Int(P::RegisterNumber);
    c.Request.append(char(number & 0xFF));
    if (number < 0 || number >= CashReg::Count)
        return OrvekResult::BadParameter;
    const Currency value = Receipt(c).CashRegister(number);
    c.Set(P::ContentsOfCashRegister, qlonglong(value));
    c.Set(P::NameCashReg, RegisterReceipt::CashRegisterName(number));
    c.Answer += IntToBin(value / 100, 6);
    return OrvekResult::Ok;
}
} // namespace

std::function<std::int32_t()> SessionOpenerOf(OrvekCall& c)
{
    return [&c] { return OrvekHandlers()[M::OpenSession].Handler(c); };
}

void AddReceiptHandlers(OrvekHandlerTable& t)
{
    t.Add(M::Sale, OrvekAccess::Device, 0x80, &Sale);
    t.Add(M::Buy, OrvekAccess::Device, 0x81, &Buy);
    t.Add(M::ReturnSale, OrvekAccess::Device, 0x82, &ReturnSale);
    t.Add(M::ReturnBuy, OrvekAccess::Device, 0x83, &ReturnBuy);
    t.Add(M::Storno, OrvekAccess::Device, 0x84, &Storno);
    t.Add(M::SaleEx, OrvekAccess::Device, 0xFF46, &SaleEx);
    t.Add(M::Discount, OrvekAccess::Device, 0x86, &Discount);
    t.Add(M::Charge, OrvekAccess::Device, 0x87, &Charge);
    t.Add(M::StornoDiscount, OrvekAccess::Device, 0x8A, &StornoDiscount);
    t.Add(M::StornoCharge, OrvekAccess::Device, 0x8B, &StornoCharge);
    t.Add(M::ExcisableOperation, OrvekAccess::Device, 0x8F, &ExcisableOperation);
    t.Add(M::CheckSubTotal, OrvekAccess::Device, 0x89, &CheckSubTotal);
    t.Add(M::OpenCheck, OrvekAccess::Device, 0x8D, &OpenCheck);
    t.Add(M::CloseCheck, OrvekAccess::Device, 0x85, &CloseCheck);
    t.Add(M::CloseCheckWithKPK, OrvekAccess::Device, 0x85, &CloseCheckWithKPK);
    t.Add(M::CloseCheckEx, OrvekAccess::Device, 0x8E, &CloseCheckEx);
    t.Add(M::CloseCheckBel, OrvekAccess::Device, 0x8E, &CloseCheckBel);
    t.Add(M::CancelCheck, OrvekAccess::Device, 0x88, &CancelCheck);
    t.Add(M::SysAdminCancelCheck, OrvekAccess::Device, 0x88, &CancelCheck);
    t.Add(M::CashIncome, OrvekAccess::Device, 0x50, &CashIncome);
    t.Add(M::CashOutcome, OrvekAccess::Device, 0x51, &CashOutcome);
    t.Add(M::RepeatDocument, OrvekAccess::Device, 0x8C, &RepeatDocument);
    t.Add(M::ContinuePrint, OrvekAccess::Device, 0xB0, &ContinuePrint);
    t.Add(M::GetCashReg, OrvekAccess::Device, 0x1A, &GetCashReg);
}
