// The legacy receipt of the emulated register: items, storno, discounts and
// charges, closings with payments and change, cash documents, cash
// registers, the paper, and the register's refusals.
#include "tests/DriverTestSupport.h"

#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterReceipt.h"

using M = OrvekMethod;

namespace {
constexpr Currency Rub = 10000;

RegisterReceipt& Receipt()
{
    return TestRegister().Area<RegisterReceipt>();
}

std::int32_t Item(std::int32_t (TOrvek::*method)(), Currency price, double quantity, int department = 1,
                  const QString& name = QStringLiteral("Булка"))
{
    Driver().setPrice(price);
    Driver().setQuantity(quantity);
    Driver().setDepartment(department);
    Driver().setStringForPrinting(name);
    return (Driver().*method)();
}

std::int32_t Summ1Call(std::int32_t (TOrvek::*method)(), Currency amount)
{
    Driver().setSumm1(amount);
    Driver().setStringForPrinting(QString());
    return (Driver().*method)();
}

Currency CashRegValue(int number)
{
    Driver().setRegisterNumber(number);
    EXPECT_EQ(Driver().GetCashReg(), 0);
    return Driver().ContentsOfCashRegister();
}

int Mode()
{
    EXPECT_EQ(Driver().GetECRStatus(), 0);
    return Driver().ECRMode();
}
} // namespace

class ReceiptTest : public DriverTest {};

TEST_F(ReceiptTest, FullSaleWithStornoDiscountChargeAndChange)
{
    // A sale in a closed session opens the session and a sale receipt.
    ASSERT_EQ(Item(&TOrvek::Sale, 100 * Rub, 2.5, 1), 0);
    EXPECT_EQ(Mode(), 8);
    EXPECT_EQ(Driver().ECRModeStatus(), ReceiptType::Sale);
    EXPECT_TRUE(Driver().IsFMSessionOpen());
    ASSERT_EQ(Item(&TOrvek::Sale, 33 * Rub + 3300, 3, 2), 0);  // 33.33 x 3 = 99.99
    ASSERT_EQ(Item(&TOrvek::Storno, 100 * Rub, 1, 1), 0);
    ASSERT_EQ(Summ1Call(&TOrvek::Discount, 10 * Rub), 0);
    ASSERT_EQ(Summ1Call(&TOrvek::Charge, 5 * Rub), 0);
    ASSERT_EQ(Summ1Call(&TOrvek::StornoCharge, 1 * Rub), 0);
    ASSERT_EQ(Summ1Call(&TOrvek::StornoDiscount, 2 * Rub), 0);
    EXPECT_EQ(CashRegValue(CashReg::Receipt + 0), 150 * Rub);
    EXPECT_EQ(CashRegValue(CashReg::Receipt + 1), 99 * Rub + 9900);

    ASSERT_EQ(Driver().CheckSubTotal(), 0);
    const Currency sub = 150 * Rub + 99 * Rub + 9900 - 8 * Rub + 4 * Rub;  // 245.99
    EXPECT_EQ(Driver().Summ1(), sub);

    // 10 % off on the check: 24.60; total 221.39, paid 100 cash + 50 card + 80 by type 14.
    Driver().setSumm1(100 * Rub);
    Driver().setSumm2(0);
    Driver().setSumm3(0);
    Driver().setSumm4(50 * Rub);
    for (auto setter : {&TOrvek::setSumm5, &TOrvek::setSumm6, &TOrvek::setSumm7, &TOrvek::setSumm8, &TOrvek::setSumm9,
                        &TOrvek::setSumm10, &TOrvek::setSumm11, &TOrvek::setSumm12, &TOrvek::setSumm13,
                        &TOrvek::setSumm15, &TOrvek::setSumm16})
        (Driver().*setter)(0);
    Driver().setSumm14(80 * Rub);
    Driver().setDiscountOnCheck(10);
    Driver().setStringForPrinting(QStringLiteral("Спасибо"));
    ASSERT_EQ(Driver().CloseCheckEx(), 0) << Driver().ResultCodeDescription().toStdString();
    EXPECT_EQ(Driver().Change(), 8 * Rub + 6100);  // 230.00 - 221.39
    EXPECT_EQ(Mode(), 2);

    ASSERT_TRUE(Receipt().LastReceipt());
    EXPECT_EQ(Receipt().LastReceipt()->Total, 221 * Rub + 3900);
    EXPECT_EQ(Receipt().LastReceipt()->Items.size(), 7u);
    EXPECT_EQ(CashRegValue(CashReg::Receipt + 0), 0);
    EXPECT_EQ(CashRegValue(CashReg::Session + 0), 150 * Rub);
    EXPECT_EQ(CashRegValue(CashReg::SessionTotals + ReceiptType::Sale), 221 * Rub + 3900);
    EXPECT_EQ(CashRegValue(CashReg::SalePayments + 13), 80 * Rub);
    EXPECT_EQ(CashRegValue(CashReg::CashInDrawer), 91 * Rub + 3900);  // 100 cash less 8.61 change
    EXPECT_EQ(Driver().NameCashReg(), QStringLiteral("Наличность в кассе"));
    const FNDocument& fnDoc = TestRegister().Area<RegisterFN>().Documents.back();
    EXPECT_EQ(fnDoc.Type, FNDocType::Receipt);
    EXPECT_EQ(fnDoc.OperationType, 1);
    EXPECT_EQ(fnDoc.Summ, 221 * Rub + 3900);
    EXPECT_EQ(TestRegister().Area<RegisterFN>().CurrentDocument, FNOpenDoc::None);

    const QStringList paper = TestRegister().Paper().Texts();
    const QString all = paper.join(QLatin1Char('\n'));
    EXPECT_TRUE(paper.contains(QStringLiteral("ОТКРЫТИЕ СМЕНЫ 1")));
    EXPECT_TRUE(paper.contains(QStringLiteral("ПРОДАЖА")));
    EXPECT_TRUE(paper.contains(QStringLiteral("2.500 X 100.00")));
    EXPECT_TRUE(paper.contains(QStringLiteral("СТОРНО")));
    EXPECT_TRUE(paper.contains(QStringLiteral("Спасибо")));
    const int width = paper.last().size();
    EXPECT_EQ(width, 48);
    auto pair = [width](const QString& left, const QString& right) {
        return left + QString(width - left.size() - right.size(), QLatin1Char(' ')) + right;
    };
    EXPECT_TRUE(paper.contains(pair(QStringLiteral("01"), QStringLiteral("=250.00")))) << all.toStdString();
    EXPECT_TRUE(paper.contains(pair(QStringLiteral("СКИДКА 10.00%"), QStringLiteral("=24.60"))));
    EXPECT_TRUE(paper.contains(pair(QStringLiteral("ИТОГ"), QStringLiteral("=221.39"))));
    EXPECT_TRUE(paper.contains(pair(QStringLiteral("НАЛИЧНЫМИ"), QStringLiteral("=100.00"))));
    EXPECT_TRUE(paper.contains(pair(QStringLiteral("ТИП ОПЛАТЫ 14"), QStringLiteral("=80.00"))));
    EXPECT_TRUE(paper.contains(pair(QStringLiteral("СДАЧА"), QStringLiteral("=8.61"))));
    EXPECT_TRUE(paper.last().endsWith(QStringLiteral("ДОК. 2")));

    // The copy repeats the receipt's lines.
    const int before = int(TestRegister().Paper().Texts().size());
    ASSERT_EQ(Driver().RepeatDocument(), 0);
    const QStringList copy = TestRegister().Paper().Texts().mid(before);
    EXPECT_EQ(copy.first(), QStringLiteral("КОПИЯ"));
    EXPECT_EQ(copy.mid(1), Receipt().LastDocument());
}

TEST_F(ReceiptTest, RefusalsChangeNothing)
{
    using R = std::pair<std::int32_t, std::int32_t>;
    // No receipt open.
    EXPECT_EQ(Driver().CloseCheck(), OrvekResult::WrongMode);
    EXPECT_EQ(Driver().CheckSubTotal(), OrvekResult::WrongMode);
    EXPECT_EQ(Driver().CancelCheck(), OrvekResult::WrongMode);
    EXPECT_EQ(Item(&TOrvek::Storno, Rub, 1), OrvekResult::WrongMode);
    EXPECT_EQ(Summ1Call(&TOrvek::Discount, Rub), OrvekResult::WrongMode);
    EXPECT_EQ(Driver().RepeatDocument(), OrvekResult::WrongMode);  // nothing printed yet
    EXPECT_EQ(Driver().ContinuePrint(), OrvekResult::WrongMode);   // nothing waits
    // Bad item values: nothing opens.
    EXPECT_EQ(Item(&TOrvek::Sale, Rub, 0), OrvekResult::BadParameter);
    EXPECT_EQ(Item(&TOrvek::Sale, -Rub, 1), OrvekResult::BadParameter);
    EXPECT_EQ(Item(&TOrvek::Sale, Rub, 1, 17), OrvekResult::BadParameter);
    Driver().setCheckType(4);
    EXPECT_EQ(Driver().OpenCheck(), OrvekResult::BadParameter);
    EXPECT_EQ(Mode(), 4);

    Driver().setCheckType(ReceiptType::Sale);
    ASSERT_EQ(Driver().OpenCheck(), 0);
    EXPECT_EQ(Driver().OpenCheck(), OrvekResult::ReceiptOpen);
    EXPECT_EQ(Item(&TOrvek::Buy, Rub, 1), OrvekResult::ReceiptOpen);
    EXPECT_EQ(Summ1Call(&TOrvek::CashIncome, Rub), OrvekResult::ReceiptOpen);
    ASSERT_EQ(Item(&TOrvek::Sale, 10 * Rub, 1), 0);
    EXPECT_EQ(Item(&TOrvek::Storno, 11 * Rub, 1), OrvekResult::NegativeTotal);
    EXPECT_EQ(Item(&TOrvek::Storno, Rub, 1, 2), OrvekResult::NegativeTotal);  // nothing in department 2
    EXPECT_EQ(Summ1Call(&TOrvek::Discount, 11 * Rub), OrvekResult::NegativeTotal);
    EXPECT_EQ(Summ1Call(&TOrvek::StornoDiscount, Rub), OrvekResult::NegativeTotal);
    EXPECT_EQ(Summ1Call(&TOrvek::StornoCharge, Rub), OrvekResult::NegativeTotal);

    // Too little paid, then more by card than the total: the receipt stays open.
    Driver().setDiscountOnCheck(0);
    for (R sums : {R{9 * Rub, 0}, R{0, 11 * Rub}}) {
        Driver().setSumm1(sums.first);
        Driver().setSumm2(sums.second);
        Driver().setSumm3(0);
        Driver().setSumm4(0);
        std::int32_t expected = sums.second ? OrvekResult::NonCashOverTotal : OrvekResult::PaymentTooSmall;
        EXPECT_EQ(Driver().CloseCheck(), expected);
    }
    EXPECT_EQ(Driver().ResultCodeDescription(), QStringLiteral("Сумма безналичных оплат больше итога чека"));
    Driver().setSumm2(0);
    Driver().setSumm1(9 * Rub);
    EXPECT_EQ(Driver().CloseCheck(), OrvekResult::PaymentTooSmall);
    EXPECT_EQ(Driver().ResultCodeDescription(), QStringLiteral("Сумма оплаты меньше итога чека"));
    Driver().setDiscountOnCheck(100);
    EXPECT_EQ(Driver().CloseCheck(), OrvekResult::BadParameter);
    EXPECT_EQ(Mode(), 8);
    EXPECT_EQ(Receipt().SubTotal(), 10 * Rub);

    // Cancelling ends it without touching the registers.
    ASSERT_EQ(Driver().SysAdminCancelCheck(), 0);
    EXPECT_EQ(Mode(), 2);
    EXPECT_EQ(TestRegister().Paper().Texts().mid(TestRegister().Paper().Texts().size() - 2).first(),
              QStringLiteral("ЧЕК АННУЛИРОВАН"));
    EXPECT_EQ(CashRegValue(CashReg::Session + 0), 0);

    EXPECT_EQ(TestRegister().Area<RegisterFN>().CurrentDocument, FNOpenDoc::None);

    // An FN out of fiscal mode takes no receipt.
    TestRegister().Area<RegisterFN>().LifeState = FNLife::Configured;
    EXPECT_EQ(Item(&TOrvek::Sale, Rub, 1), FNError::OtherState);
    EXPECT_EQ(Mode(), 2);
    TestRegister().Area<RegisterFN>().LifeState = FNLife::Configured | FNLife::FiscalMode;

    // A session over 24 hours takes no new receipt.
    TestRegister().SetNow(TestRegister().Now().addSecs(25 * 3600));
    EXPECT_EQ(Item(&TOrvek::Sale, Rub, 1), OrvekResult::SessionOver24Hours);
}

TEST_F(ReceiptTest, CashInOutAndReturnsMoveTheDrawer)
{
    ASSERT_EQ(Summ1Call(&TOrvek::CashIncome, 100 * Rub), 0);
    EXPECT_EQ(Summ1Call(&TOrvek::CashOutcome, 101 * Rub), OrvekResult::NotEnoughCash);
    EXPECT_EQ(Driver().ResultCodeDescription(), QStringLiteral("Не хватает наличности в кассе"));
    ASSERT_EQ(Summ1Call(&TOrvek::CashOutcome, 30 * Rub), 0);
    EXPECT_EQ(Summ1Call(&TOrvek::CashOutcome, 0), OrvekResult::BadParameter);
    EXPECT_EQ(CashRegValue(CashReg::CashInDrawer), 70 * Rub);
    EXPECT_EQ(CashRegValue(CashReg::SessionCashIn), 100 * Rub);
    EXPECT_EQ(CashRegValue(CashReg::SessionCashOut), 30 * Rub);

    // A return of a sale pays cash out: more than the drawer holds is refused.
    ASSERT_EQ(Item(&TOrvek::ReturnSale, 80 * Rub, 1), 0);
    Driver().setSumm1(80 * Rub);
    Driver().setSumm2(0);
    Driver().setSumm3(0);
    Driver().setSumm4(0);
    Driver().setDiscountOnCheck(0);
    EXPECT_EQ(Driver().CloseCheck(), OrvekResult::NotEnoughCash);
    Driver().setSumm1(60 * Rub);
    Driver().setSumm2(20 * Rub);
    ASSERT_EQ(Driver().CloseCheckWithKPK(), 0);
    EXPECT_EQ(CashRegValue(CashReg::CashInDrawer), 10 * Rub);
    EXPECT_FALSE(Driver().KPKStr().isEmpty());
    EXPECT_TRUE(TestRegister().Paper().Texts().join('\n').contains(Driver().KPKStr()));

    // The Z report ends the session's registers; the drawer keeps its cash.
    ASSERT_EQ(Driver().PrintReportWithCleaning(), 0);
    EXPECT_EQ(CashRegValue(CashReg::SessionCashIn), 0);
    EXPECT_EQ(CashRegValue(CashReg::Session + ReceiptType::ReturnSale * 16), 0);
    EXPECT_EQ(CashRegValue(CashReg::CashInDrawer), 10 * Rub);
}

TEST_F(ReceiptTest, BelClosingAndExcisableOperation)
{
    Driver().setOperationType(0);
    Driver().setExciseCode(7);
    Driver().setPrice(50 * Rub);
    Driver().setDepartment(3);
    Driver().setBarCode(QStringLiteral("4600000000001"));
    Driver().setStringForPrinting(QStringLiteral("Вино"));
    ASSERT_EQ(Driver().ExcisableOperation(), 0);
    Driver().setOperationType(1);
    EXPECT_EQ(Driver().ExcisableOperation(), OrvekResult::ReceiptOpen);  // a purchase into a sale
    Driver().setOperationType(5);
    EXPECT_EQ(Driver().ExcisableOperation(), OrvekResult::BadParameter);
    EXPECT_EQ(CashRegValue(CashReg::Receipt + 2), 50 * Rub);

    Driver().setSumm1(50 * Rub);
    Driver().setSumm2(0);
    Driver().setSumm3(0);
    Driver().setSumm4(0);
    Driver().setDiscountOnCheck(0);
    Driver().setDiscountValue(5 * Rub);
    Driver().setChargeValue(Rub);
    ASSERT_EQ(Driver().CloseCheckBel(), 0);
    EXPECT_EQ(Driver().Change(), 4 * Rub);
    const QStringList paper = TestRegister().Paper().Texts();
    EXPECT_TRUE(paper.contains(QStringLiteral("АКЦИЗ 7")));
    EXPECT_TRUE(paper.contains(QStringLiteral("ШК 4600000000001")));
}

TEST_F(ReceiptTest, PaperRunningOutWaitsForContinuePrint)
{
    Driver().setCheckType(0);
    ASSERT_EQ(Driver().OpenCheck(), 0);
    Receipt().PaperLeft = 1;
    ASSERT_EQ(Item(&TOrvek::Sale, Rub, 1), 0);  // registered; most of it waits
    EXPECT_FALSE(Receipt().WaitingLines().isEmpty());
    ASSERT_EQ(Driver().GetShortECRStatus(), 0);
    EXPECT_FALSE(Driver().ReceiptRibbonIsPresent());
    EXPECT_EQ(Driver().ECRAdvancedMode(), 2);
    EXPECT_EQ(Item(&TOrvek::Sale, Rub, 1), OrvekResult::NoPaper);
    EXPECT_EQ(Driver().ContinuePrint(), OrvekResult::NoPaper);

    TestRegister().SetFlag(EcrFlag::ReceiptRibbonIsPresent, true);  // paper in
    EXPECT_EQ(Item(&TOrvek::Sale, Rub, 1), OrvekResult::WaitingContinuePrint);
    const QStringList waiting = Receipt().WaitingLines();
    ASSERT_EQ(Driver().ContinuePrint(), 0);
    EXPECT_TRUE(Receipt().WaitingLines().isEmpty());
    EXPECT_TRUE(TestRegister().Paper().Texts().endsWith(waiting.last()));
    ASSERT_EQ(Item(&TOrvek::Sale, Rub, 1), 0);
    EXPECT_EQ(Receipt().Items().size(), 2u);
}

TEST_F(ReceiptTest, FaultsAnswerInsteadOfTheReceipt)
{
    TestRegister().Faults().FailNext(M::CloseCheck, OrvekResult::PrinterBusy, 1);
    ASSERT_EQ(Item(&TOrvek::Sale, Rub, 1), 0);
    Driver().setSumm1(Rub);
    EXPECT_EQ(Driver().CloseCheck(), OrvekResult::PrinterBusy);
    EXPECT_EQ(Mode(), 8);
    EXPECT_EQ(Driver().CloseCheck(), 0);
    EXPECT_EQ(Mode(), 2);
}

TEST(ReceiptAmount, PriceTimesQuantityRoundsToTheKopeck)
{
    struct Case {
        Currency Price;
        double Quantity;
        int Decimals;
        Currency Amount;
    };
    const Case cases[] = {
        {100 * Rub, 1, 3, 100 * Rub},
        {100, 0.001, 3, 0},                 // 0.01 x 0.001 rounds to 0
        {3300 + 33 * Rub, 3, 3, 99 * Rub + 9900},
        {1 * Rub, 0.0015, 3, 0},            // 0.002 steps: 0.002 rub -> 0
        {10 * Rub, 0.1234564, 6, Rub + 2300},  // 1.234565 -> 1.23
        {15 * Rub, 0.0335, 3, 5100},           // 0.034 x 15 = 0.51
    };
    for (const Case& c : cases) {
        Currency amount = -1;
        ASSERT_TRUE(RegisterReceipt::ItemAmount(c.Price, c.Quantity, c.Decimals, amount));
        EXPECT_EQ(amount, c.Amount) << c.Price << " x " << c.Quantity;
    }
    Currency amount = 0;
    EXPECT_FALSE(RegisterReceipt::ItemAmount(RegisterReceipt::MaxAmount, 2, 3, amount));
    EXPECT_FALSE(RegisterReceipt::ItemAmount(Rub, 0.0001, 3, amount));
}
