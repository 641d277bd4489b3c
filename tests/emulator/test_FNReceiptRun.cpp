// What a receipt load run asks of the emulated register: receipts opened
// with the legacy types and filled with FN items, the FN closing, the shift
// each first receipt opens and the Z report closes, the document and
// exchange queries, the port lock, and faults on every one of these.
#include "tests/DriverTestSupport.h"

#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterReceipt.h"

using M = OrvekMethod;

namespace {
constexpr Currency Rub = 10000;

RegisterFN& FN()
{
    return TestRegister().Area<RegisterFN>();
}

RegisterReceipt& Receipt()
{
    return TestRegister().Area<RegisterReceipt>();
}

// One item of 10 roubles of the FN receipt type.
std::int32_t Item(int checkType)
{
    TDriver& d = Driver();
    d.setCheckType(checkType);
    d.setPrice(10 * Rub);
    d.setQuantity(1);
    d.setDepartment(2);
    d.setTax1(1);
    d.setPaymentTypeSign(4);
    d.setPaymentItemSign(1);
    d.setSumm1Enabled(false);
    d.setTaxValueEnabled(false);
    d.setStringForPrinting(QStringLiteral("1 Товар"));
    return d.FNOperation();
}

// The subtotal paid in cash under the tax system.
std::int32_t Close(int taxType = 1)
{
    TDriver& d = Driver();
    if (std::int32_t code = d.CheckSubTotal())
        return code;
    const Currency total = d.Summ1();
    for (auto set : {&TOrvek::setSumm2, &TOrvek::setSumm3, &TOrvek::setSumm17, &TOrvek::setSumm20})
        (d.*set)(0);
    d.setSumm1(total);
    d.setTaxType(taxType);
    return d.FNCloseCheckEx();
}

// A whole receipt: legacy type, one item of the matching FN type, closing.
std::int32_t PrintReceipt(int oldType, int fnType)
{
    Driver().setCheckType(oldType);
    if (std::int32_t code = Driver().OpenCheck())
        return code;
    if (std::int32_t code = Item(fnType))
        return code;
    return Close();
}
} // namespace

class FNReceiptRunTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        Receipt().SetCashRegister(CashReg::CashInDrawer, 1000 * Rub);
    }
};

TEST_F(FNReceiptRunTest, LegacyTypesOpenReceiptsForTheirFNItems)
{
    const struct {
        int Old, FN, Operation;
    } cases[] = {{0, 1, 1}, {2, 2, 2}, {1, 3, 3}, {3, 4, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Old);
        ASSERT_EQ(PrintReceipt(c.Old, c.FN), 0) << Driver().ResultCodeDescription().toStdString();
        EXPECT_EQ(FN().Documents.back().OperationType, c.Operation);
        EXPECT_EQ(FN().Documents.back().Summ, 10 * Rub);
    }
    // An item of another kind does not go into the open receipt.
    Driver().setCheckType(0);
    ASSERT_EQ(Driver().OpenCheck(), 0);
    EXPECT_EQ(Item(3), OrvekResult::ReceiptOpen);
    EXPECT_EQ(Item(1), 0);
}

TEST_F(FNReceiptRunTest, ItemKeepsWhatWasSentAndClosingTakesOnlyRegisteredTaxSystems)
{
    TDriver& d = Driver();
    d.setCheckType(0);
    ASSERT_EQ(d.OpenCheck(), 0);
    d.setBarCode(QStringLiteral("987654321"));
    d.setPaymentItemSign(31);
    ASSERT_EQ(Item(1), 0);  // sets the sign back to 1 ...
    d.setBarCode(QStringLiteral("987654321"));
    d.setPaymentItemSign(31);
    d.setPaymentTypeSign(7);
    d.setTax1(6);
    d.setDepartment(16);
    d.setQuantity(2.5);
    ASSERT_EQ(d.FNOperation(), 0);  // ... the second item keeps its own
    ASSERT_EQ(d.CheckSubTotal(), 0);
    EXPECT_EQ(d.Summ1(), 35 * Rub);

    FN().Registration.TaxType = 1 | 4;
    const std::pair<int, std::int32_t> systems[] = {
        {2, OrvekResult::BadParameter}, {8, OrvekResult::BadParameter}, {5, OrvekResult::BadParameter},
        {64, OrvekResult::BadParameter}};
    for (const auto& [taxType, code] : systems) {
        EXPECT_EQ(Close(taxType), code) << taxType;
        EXPECT_TRUE(Receipt().IsOpen());
    }
    // Sums 17..20 are no payments of this closing.
    d.setSumm1(0);
    d.setSumm17(35 * Rub);
    d.setTaxType(4);
    EXPECT_EQ(d.FNCloseCheckEx(), OrvekResult::PaymentTooSmall);
    ASSERT_EQ(Close(4), 0);

    const ReceiptDocument& doc = *Receipt().LastReceipt();
    ASSERT_EQ(doc.Items.size(), 2u);
    const ReceiptItem& item = doc.Items[1];
    EXPECT_EQ(item.BarCode, QStringLiteral("987654321"));
    EXPECT_EQ(item.Department, 16);
    EXPECT_EQ(item.Amount, 25 * Rub);
    EXPECT_EQ(item.FN->PaymentItemSign, 31);
    EXPECT_EQ(item.FN->PaymentTypeSign, 7);
    EXPECT_EQ(item.FN->Tax, 6);
    EXPECT_EQ(doc.Items[0].FN->PaymentItemSign, 1);
    EXPECT_EQ(FN().Documents.back().Tags.empty(), false);
}

TEST_F(FNReceiptRunTest, ShiftsDocumentsAndExchangeStateOverARun)
{
    TDriver& d = Driver();
    // A closed shift: the first receipt opens it, the Z report closes it.
    if (TestRegister().State().SessionOpen) {
        ASSERT_EQ(d.PrintReportWithCleaning(), 0);
    }
    const int before = FN().LastDocumentNumber();
    std::vector<int> receiptNumbers, documents;
    for (int shift = 0; shift < 2; ++shift) {
        for (int i = 0; i < 3; ++i) {
            ASSERT_EQ(PrintReceipt(0, 1), 0) << d.ResultCodeDescription().toStdString();
            receiptNumbers.push_back(d.ReceiptNumber());
            documents.push_back(d.DocumentNumber());
        }
        ASSERT_EQ(d.PrintReportWithCleaning(), 0);
        EXPECT_FALSE(TestRegister().State().SessionOpen);
    }
    EXPECT_EQ(receiptNumbers, (std::vector<int>{1, 2, 3, 1, 2, 3}));
    // Open shift, three receipts, Z report: five documents a shift.
    EXPECT_EQ(documents, (std::vector<int>{before + 2, before + 3, before + 4, before + 7, before + 8, before + 9}));
    EXPECT_EQ(FN().LastDocumentNumber(), before + 10);
    EXPECT_EQ(FN().Documents.back().Type, FNDocType::CloseSession);

    for (int number : documents) {
        d.setDocumentNumber(number);
        ASSERT_EQ(d.FNFindDocument(), 0);
        EXPECT_EQ(d.DocumentType(), FNDocType::Receipt);
        EXPECT_EQ(d.Summ1(), 10 * Rub);
    }
    d.setDocumentNumber(before + 11);
    EXPECT_EQ(d.FNFindDocument(), FNError::NoData);

    // Every document of the run waits for the OFD until it confirms them.
    ASSERT_EQ(d.FNGetInfoExchangeStatus(), 0);
    EXPECT_EQ(d.MessageCount(), 10);
    EXPECT_EQ(d.DocumentNumber(), before + 1);
    FN().Confirm(before + 4);
    ASSERT_EQ(d.FNGetInfoExchangeStatus(), 0);
    EXPECT_EQ(d.MessageCount(), 6);
    EXPECT_EQ(d.DocumentNumber(), before + 5);
    FN().Documents[std::size_t(before + 4)].OFDTicketReceived = true;  // the first waiting one, confirmed directly
    ASSERT_EQ(d.FNGetUnconfirmedDocCount(), 0);
    EXPECT_EQ(d.DocumentCount(), 5);
    FN().Confirm(before + 10);
    ASSERT_EQ(d.FNGetInfoExchangeStatus(), 0);
    EXPECT_EQ(d.MessageCount(), 0);
    EXPECT_EQ(d.DocumentNumber(), 0);
}

TEST_F(FNReceiptRunTest, UnlockingWithoutALockIsHarmless)
{
    EXPECT_EQ(Driver().UnlockPort(), 0);  // not even connected
    TOrvek other;
    other.setComNumber(Driver().ComNumber());
    other.setBaudRate(Driver().BaudRate());
    ASSERT_EQ(other.LockPort(), 0);
    EXPECT_EQ(Driver().UnlockPort(), 0);
    EXPECT_EQ(Driver().GetShortECRStatus(), OrvekResult::PortBusy);  // the other one's lock stays
    EXPECT_EQ(other.UnlockPort(), 0);
    EXPECT_EQ(Driver().GetShortECRStatus(), 0);
}

TEST_F(FNReceiptRunTest, EveryMethodOfARunFailsOnDemand)
{
    TDriver& d = Driver();
    ASSERT_EQ(d.GetShortECRStatus(), 0);  // connected, so local methods meet the faults too
    const std::pair<M, std::function<std::int32_t()>> methods[] = {
        {M::LockPort, [&d] { return d.LockPort(); }},
        {M::UnlockPort, [&d] { return d.UnlockPort(); }},
        {M::GetECRStatus, [&d] { return d.GetECRStatus(); }},
        {M::SysAdminCancelCheck, [&d] { return d.SysAdminCancelCheck(); }},
        {M::WaitForPrinting, [&d] { return d.WaitForPrinting(); }},
        {M::FNGetStatus, [&d] { return d.FNGetStatus(); }},
        {M::OpenCheck, [&d] { return d.OpenCheck(); }},
        {M::FNOperation, [&d] { return d.FNOperation(); }},
        {M::CheckSubTotal, [&d] { return d.CheckSubTotal(); }},
        {M::FNCloseCheckEx, [&d] { return d.FNCloseCheckEx(); }},
        {M::FNFindDocument, [&d] { return d.FNFindDocument(); }},
        {M::FNGetInfoExchangeStatus, [&d] { return d.FNGetInfoExchangeStatus(); }},
        {M::PrintReportWithCleaning, [&d] { return d.PrintReportWithCleaning(); }},
        {M::Sale, [&d] { return d.Sale(); }},
        {M::PrintString, [&d] { return d.PrintString(); }},
        {M::CloseCheck, [&d] { return d.CloseCheck(); }},
    };
    for (const auto& [method, call] : methods) {
        SCOPED_TRACE(std::string(MethodName(method)));
        TestRegister().Faults().FailNext(method, OrvekResult::PrinterBusy, 2);
        EXPECT_EQ(call(), OrvekResult::PrinterBusy);
        EXPECT_EQ(call(), OrvekResult::PrinterBusy);
        EXPECT_EQ(d.ResultCode(), OrvekResult::PrinterBusy);
        EXPECT_TRUE(TestRegister().Faults().Empty());
    }
}
