// The FN receipt: items with their FFD values (FNOperation), the extended
// closing with 16 sums, VAT sums, rounding and tax system (FNCloseCheckEx),
// receipts opened with the former 20 % rate, correction receipts opened as
// receipts or built in one step (RegisterReceipt keeps the state).
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterReceipt.h"

namespace {
using P = OrvekProp;
using M = OrvekMethod;

RegisterReceipt& Receipt(OrvekCall& c)
{
    return c.Reg().Area<RegisterReceipt>();
}

const P Summs[] = {P::Summ1,  P::Summ2,  P::Summ3,  P::Summ4,  P::Summ5,  P::Summ6,  P::Summ7,
                   P::Summ8,  P::Summ9,  P::Summ10, P::Summ11, P::Summ12, P::Summ13, P::Summ14,
                   P::Summ15, P::Summ16, P::Summ17, P::Summ18, P::Summ19, P::Summ20};
const P TaxValues[] = {P::TaxValue1, P::TaxValue2, P::TaxValue3, P::TaxValue4, P::TaxValue5,
                       P::TaxValue6, P::TaxValue7, P::TaxValue8, P::TaxValue9, P::TaxValue10};

Currency Summ(OrvekCall& c, int n)
{
    return c.Curr(Summs[n - 1]);
}

// The receipt kind of an FN item's CheckType: 1 income, 2 its return, 3 expense, 4 its return.
int ItemReceiptType(int checkType)
{
    switch (checkType) {
    case 1: return ReceiptType::Sale;
    case 2: return ReceiptType::ReturnSale;
    case 3: return ReceiptType::Buy;
    case 4: return ReceiptType::ReturnBuy;
    }
    return -1;
}

void SetDocumentResult(OrvekCall& c, int number, std::uint32_t fiscalSign, int receiptNumber)
{
    c.Set(P::DocumentNumber, number);
    c.Set(P::FiscalSign, std::int32_t(fiscalSign));
    if (receiptNumber > 0)
        c.Set(P::ReceiptNumber, receiptNumber);
}

std::int32_t FNOperation(OrvekCall& c)
{
    const int type = ItemReceiptType(c.Int(P::CheckType));
    const int department = c.Int(P::Department);
    if (type < 0 || department < 0)
        return OrvekResult::BadParameter;
    ReceiptItem item;
    item.Type = type;
    item.Price = c.Curr(P::Price);
    item.Quantity = c.Dbl(P::Quantity);
    item.Department = department == 0 ? 1 : department;  // 0: the first department
    item.Text = c.Str(P::StringForPrinting);
    item.BarCode = c.Str(P::BarCode);
    FNItemData fn;
    fn.Tax = c.Int(P::Tax1);
    if (c.Bool(P::TaxValueEnabled))
        fn.TaxValue = c.Curr(P::TaxValue);
    fn.SummGiven = c.Bool(P::Summ1Enabled);
    fn.PaymentTypeSign = c.Int(P::PaymentTypeSign);
    fn.PaymentItemSign = c.Int(P::PaymentItemSign);
    fn.ProductStatus = c.Int(P::ProductAssignedStatus);
    fn.MeasureUnit = c.Int(P::MeasureUnit);
    if (c.Bool(P::DivisionalQuantity)) {
        bool okNumerator = false, okDenominator = false;
        fn.Numerator = c.Str(P::Numerator).trimmed().toInt(&okNumerator);
        fn.Denominator = c.Str(P::Denominator).trimmed().toInt(&okDenominator);
        if (!okNumerator || !okDenominator || fn.Numerator <= 0 || fn.Denominator <= 0)
            return OrvekResult::BadParameter;
    }
    if (fn.SummGiven)
        item.Amount = c.Curr(P::Summ1);
    item.FN = fn;
    Currency amount = 0;
    RegisterReceipt::ExpectedAmount(item, amount);
    item.Amount = amount;
    c.Request.append(char(c.Int(P::CheckType)));
    return Receipt(c).Register(std::move(item), SessionOpenerOf(c));
}

std::int32_t FNCloseCheckEx(OrvekCall& c)
{
    ReceiptClosing closing;
    for (int n = 1; n <= 16; ++n)
        closing.Payments[std::size_t(n)] = Summ(c, n);
    FNClosingData fn;
    fn.AddTaxes = c.Bool(P::AddTaxesEnabled);
    for (int n = 1; n <= 10; ++n)
        fn.TaxValues[std::size_t(n)] = n <= 6 || fn.AddTaxes ? c.Curr(TaxValues[n - 1]) : 0;
    fn.Rounding = c.Int(P::RoundingSumm);
    fn.TaxType = c.Int(P::TaxType);
    closing.FN = fn;
    closing.Text = c.Str(P::StringForPrinting);
    Currency change = 0;
    QString kpk;
    if (std::int32_t code = Receipt(c).Close(closing, change, kpk))
        return code;
    const ReceiptDocument& doc = *Receipt(c).LastReceipt();
    c.Set(P::Change, qlonglong(change));
    const FNDocument* fnDoc = c.Reg().Area<RegisterFN>().Find(doc.FNNumber);
    SetDocumentResult(c, doc.FNNumber, doc.FiscalSign, fnDoc ? fnDoc->ReceiptNumber : 0);
    return OrvekResult::Ok;
}

std::int32_t OpenWith(OrvekCall& c, bool correction, bool vat20)
{
    c.Request.append(char(c.Int(P::CheckType)));
    return Receipt(c).Open(c.Int(P::CheckType), SessionOpenerOf(c), correction, vat20);
}

std::int32_t OpenCheckNDS20(OrvekCall& c) { return OpenWith(c, false, true); }
std::int32_t FNOpenCheckCorrection(OrvekCall& c) { return OpenWith(c, true, false); }
std::int32_t FNOpenCheckCorrectionNDS20(OrvekCall& c) { return OpenWith(c, true, true); }

std::int32_t FNBeginCorrectionReceipt(OrvekCall& c)
{
    return Receipt(c).BeginCorrection(SessionOpenerOf(c));
}

std::int32_t BuildCorrection(OrvekCall& c, const CorrectionData& data)
{
    const FNDocument* doc = nullptr;
    if (std::int32_t code = Receipt(c).BuildCorrection(data, SessionOpenerOf(c), &doc))
        return code;
    SetDocumentResult(c, doc->Number, doc->FiscalSign, doc->ReceiptNumber);
    return OrvekResult::Ok;
}

// Summ1 the total; Summ2..Summ6 cash, electronic, prepaid, postpaid, counter;
// Summ7..Summ12 and (with AddTaxesEnabled) Summ17..Summ20 the VAT sums 1..10.
std::int32_t FNBuildCorrectionReceipt2(OrvekCall& c)
{
    CorrectionData data;
    data.CorrectionType = c.Int(P::CorrectionType);
    if (data.CorrectionType < 0)
        return OrvekResult::BadParameter;
    data.CalculationSign = c.Int(P::CalculationSign);
    data.TaxType = c.Int(P::TaxType);
    data.Total = Summ(c, 1);
    for (int n = 1; n <= 5; ++n)
        data.Payments[std::size_t(n)] = Summ(c, n + 1);
    for (int n = 1; n <= 6; ++n)
        data.TaxSums[std::size_t(n)] = Summ(c, n + 6);
    if (c.Bool(P::AddTaxesEnabled))
        for (int n = 7; n <= 10; ++n)
            data.TaxSums[std::size_t(n)] = Summ(c, n + 10);
    return BuildCorrection(c, data);
}

// The older form: CheckType 1 or 3 and the cash total Summ1.
std::int32_t FNBuildCorrectionReceipt(OrvekCall& c)
{
    CorrectionData data;
    data.CalculationSign = c.Int(P::CheckType);
    data.Total = Summ(c, 1);
    data.Payments[1] = data.Total;
    return BuildCorrection(c, data);
}
} // namespace

void AddFNReceiptHandlers(OrvekHandlerTable& t)
{
    t.Add(M::FNOperation, OrvekAccess::Device, 0xFF46, &FNOperation);
    t.Add(M::FNCloseCheckEx, OrvekAccess::Device, 0xFF45, &FNCloseCheckEx);
    t.Add(M::OpenCheckNDS20, OrvekAccess::Device, 0x8D, &OpenCheckNDS20);
    t.Add(M::FNOpenCheckCorrection, OrvekAccess::Device, 0x8D, &FNOpenCheckCorrection);
    t.Add(M::FNOpenCheckCorrectionNDS20, OrvekAccess::Device, 0x8D, &FNOpenCheckCorrectionNDS20);
    t.Add(M::FNBeginCorrectionReceipt, OrvekAccess::Device, 0xFF35, &FNBeginCorrectionReceipt);
    t.Add(M::FNBuildCorrectionReceipt2, OrvekAccess::Device, 0xFF4A, &FNBuildCorrectionReceipt2);
    t.Add(M::FNBuildCorrectionReceipt, OrvekAccess::Device, 0xFF36, &FNBuildCorrectionReceipt);
}
