// The FN receipt of the emulated register: FN items, the FN closing with
// rounding and VAT sums, correction receipts, and the refusals.
#include "tests/DriverTestSupport.h"

#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterCounters.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterReceipt.h"

using M = OrvekMethod;

namespace {
constexpr Currency Rub = 10000;

RegisterFN& FN()
{
    return TestRegister().Area<RegisterFN>();
}

// An item of 100 × 1 with valid FFD values; the caller changes what it tests.
void ItemDefaults()
{
    TDriver& d = Driver();
    d.setCheckType(1);
    d.setPrice(100 * Rub);
    d.setQuantity(1);
    d.setDepartment(0);
    d.setTax1(1);
    d.setPaymentTypeSign(4);
    d.setPaymentItemSign(1);
    d.setProductAssignedStatus(0);
    d.setMeasureUnit(0);
    d.setDivisionalQuantity(false);
    d.setSumm1Enabled(false);
    d.setTaxValueEnabled(false);
    d.setStringForPrinting(QStringLiteral("Товар"));
}

std::int32_t CloseWith(Currency cash, int rounding = 0, int taxType = 1)
{
    TDriver& d = Driver();
    d.setSumm1(cash);
    d.setSumm2(0);
    d.setRoundingSumm(rounding);
    d.setTaxType(taxType);
    return d.FNCloseCheckEx();
}
} // namespace

class FNReceiptTest : public DriverTest {};

TEST_F(FNReceiptTest, ItemRefusals)
{
    const struct {
        const char* Name;
        std::function<void(TDriver&)> Change;
    } cases[] = {
        {"check type 5", [](TDriver& d) { d.setCheckType(5); }},
        {"tax 11", [](TDriver& d) { d.setTax1(11); }},
        {"payment method 8", [](TDriver& d) { d.setPaymentTypeSign(8); }},
        {"subject 28", [](TDriver& d) { d.setPaymentItemSign(28); }},
        {"goods status 7", [](TDriver& d) { d.setProductAssignedStatus(7); }},
        {"measure 13", [](TDriver& d) { d.setMeasureUnit(13); }},
        {"department 17", [](TDriver& d) { d.setDepartment(17); }},
        {"fraction 3/2", [](TDriver& d) { d.setDivisionalQuantity(true); d.setNumerator("3"); d.setDenominator("2"); }},
        {"fraction text", [](TDriver& d) { d.setDivisionalQuantity(true); d.setNumerator("a"); d.setDenominator("2"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        ItemDefaults();
        c.Change(Driver());
        EXPECT_EQ(Driver().FNOperation(), OrvekResult::BadParameter);
        EXPECT_FALSE(TestRegister().Area<RegisterReceipt>().IsOpen());
    }
}

TEST_F(FNReceiptTest, SumGivenRoundingAndCounters)
{
    ItemDefaults();
    Driver().setSumm1Enabled(true);
    Driver().setSumm1(99 * Rub + 4500);  // 99.45 instead of 100
    ASSERT_EQ(Driver().FNOperation(), 0);
    EXPECT_EQ(CloseWith(99 * Rub, 45, 3), OrvekResult::BadParameter);  // two tax systems
    EXPECT_EQ(CloseWith(98 * Rub, 45), OrvekResult::PaymentTooSmall);
    const int receipts = TestRegister().Area<RegisterCounters>().OperationRegister(OperReg::Receipts);
    ASSERT_EQ(CloseWith(99 * Rub, 45), 0);
    EXPECT_EQ(Driver().Change(), 0);
    const FNDocument& doc = FN().Documents.back();
    EXPECT_EQ(doc.Summ, 99 * Rub);
    EXPECT_EQ(Driver().DocumentNumber(), doc.Number);
    EXPECT_EQ(std::uint32_t(Driver().FiscalSign()), doc.FiscalSign);
    EXPECT_EQ(TestRegister().Area<RegisterCounters>().OperationRegister(OperReg::Receipts), receipts + 1);
    EXPECT_TRUE(TestRegister().Paper().Texts().join('\n').contains(QStringLiteral("ОКРУГЛЕНИЕ")));
}

TEST_F(FNReceiptTest, CorrectionStatesAndSums)
{
    TDriver& d = Driver();
    d.setCorrectionType(0);
    d.setCalculationSign(1);
    d.setTaxType(1);
    d.setSumm1(100 * Rub);
    d.setSumm2(60 * Rub);
    EXPECT_EQ(d.FNBuildCorrectionReceipt2(), OrvekResult::BadParameter);  // payments short of the total
    d.setSumm3(40 * Rub);
    d.setCalculationSign(2);
    EXPECT_EQ(d.FNBuildCorrectionReceipt2(), OrvekResult::BadParameter);
    d.setCalculationSign(1);

    // A begun correction leaves no room for a receipt, and a receipt none for a correction.
    ASSERT_EQ(d.FNBeginCorrectionReceipt(), 0);
    ItemDefaults();
    EXPECT_EQ(d.FNOperation(), FNError::OtherState);
    d.setSumm1(100 * Rub);
    ASSERT_EQ(d.FNBuildCorrectionReceipt2(), 0);
    EXPECT_EQ(FN().Documents.back().Type, FNDocType::CorrectionReceipt);
    EXPECT_EQ(FN().CurrentDocument, FNOpenDoc::None);
    ASSERT_EQ(d.FNOperation(), 0);
    EXPECT_EQ(d.FNBeginCorrectionReceipt(), OrvekResult::ReceiptOpen);
    EXPECT_EQ(d.FNBuildCorrectionReceipt(), OrvekResult::ReceiptOpen);

    // Faults on demand reach every FN receipt method.
    TestRegister().Faults().FailNext(M::FNCloseCheckEx, OrvekResult::PrinterBusy);
    EXPECT_EQ(CloseWith(100 * Rub), OrvekResult::PrinterBusy);
    EXPECT_EQ(CloseWith(100 * Rub), 0);
}
