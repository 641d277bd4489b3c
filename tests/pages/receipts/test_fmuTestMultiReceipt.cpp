// The receipt load generators "Тестовые чеки" and "Тестовый чек", driven
// headless inside the main window against the emulated register.
#include "pages/receipts/fmuTestMultiReceipt.h"
#include "pages/receipts/fmuTestReceipt.h"

#include "core/binding/BusyRetry.h"
#include "emulator/OrvekCallTrace.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterReceipt.h"
#include "lumaqtst/fmuMain.h"
#include "platform/Exceptions.h"
#include "tests/PageTestSupport.h"
#include "tests/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <map>
#include <set>

using M = OrvekMethod;
using P = OrvekProp;

namespace {
constexpr Currency Rub = 10000;

// What the driver object held at a call: every property written so far.
using TCallState = std::map<P, QVariant>;

class GeneratorTest : public MainPageTest<TfmTestMultiReceipt> {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(MainPageTest::SetUp());
        Page->RandomSeed = 20241211;
        Page->seReceiptCount->setValue(2);
        Page->seOperationCount->setValue(1);
        Driver();
        TestComponent().Trace().Clear();
    }
    void TearDown() override
    {
        TestRegister().Faults().Clear();
        MainPageTest::TearDown();
    }

    RegisterFN& FN() { return TestRegister().Area<RegisterFN>(); }

    // The driver's state at each call of the method since the trace was cleared.
    std::vector<TCallState> At(M method) const
    {
        std::vector<TCallState> states;
        TCallState state;
        for (const OrvekTracedCall& call : TestComponent().Trace().Calls()) {
            for (const auto& [prop, value] : call.Written)
                state[prop] = value;
            if (call.Method == method)
                states.push_back(state);
        }
        return states;
    }
    std::vector<int> IntsAt(M method, P prop) const
    {
        std::vector<int> values;
        for (const TCallState& s : At(method))
            values.push_back(s.count(prop) ? s.at(prop).toInt() : -1);
        return values;
    }
    std::vector<M> Methods() const { return TestComponent().Trace().Methods(); }
    int Count(M method) const
    {
        const std::vector<M> methods = Methods();
        return int(std::count(methods.begin(), methods.end(), method));
    }
    int Documents(int type) const
    {
        const auto& docs = TestRegister().Area<RegisterFN>().Documents;
        return int(std::count_if(docs.begin(), docs.end(), [type](const FNDocument& d) { return d.Type == type; }));
    }
    // The run ended as it must on every path.
    void ExpectIdle() const
    {
        EXPECT_EQ(TestRegister().PortOwner(), nullptr);
        EXPECT_TRUE(Page->btnStart->isEnabled());
        EXPECT_FALSE(Page->btnStop->isEnabled());
        if (Count(M::LockPort) > 0) {
            EXPECT_EQ(Methods().back(), M::UnlockPort);
        }
    }
    // Presses "Прервать" once the condition holds (checked whenever the run handles events).
    void StopWhen(std::function<bool()> condition)
    {
        auto* timer = new QTimer(Page);
        timer->setInterval(0);
        QObject::connect(timer, &QTimer::timeout, Page, [this, timer, condition] {
            if (condition()) {
                Page->btnStop->click();
                timer->deleteLater();
            }
        });
        timer->start();
    }

    // The result panel's code.
    int PanelCode() const { return Main->edtResult->text().section(QLatin1Char(')'), 0, 0).mid(1).toInt(); }

    int CurrentRule = atExact;
};

// The index of the one non-zero sum among Summ1..Summ16 (0: none).
int PaymentOf(const TCallState& s)
{
    static const P summs[] = {P::Summ1,  P::Summ2,  P::Summ3,  P::Summ4,  P::Summ5,  P::Summ6,  P::Summ7,  P::Summ8,
                              P::Summ9,  P::Summ10, P::Summ11, P::Summ12, P::Summ13, P::Summ14, P::Summ15, P::Summ16};
    int found = 0;
    for (int n = 1; n <= 16; ++n)
        if (s.count(summs[n - 1]) && s.at(summs[n - 1]).toLongLong() != 0)
            found = found == 0 ? n : -1;
    return found;
}
} // namespace

TEST(GeneratorRules, OldReceiptTypesAndCycles)
{
    const std::pair<int, int> types[] = {{1, 0}, {2, 2}, {3, 1}, {4, 3}, {7, 0}, {0, 0}};
    for (const auto& [type, old] : types)
        EXPECT_EQ(TfmTestMultiReceipt::CheckTypeToOldType(type), old) << type;
    const int cycled[][3] = {{1, 3, 1}, {2, 3, 2}, {3, 3, 3}, {4, 3, 1}, {7, 1, 1}, {17, 16, 1}};
    for (const auto& c : cycled)
        EXPECT_EQ(TfmTestMultiReceipt::GetCycleValue(c[0], c[1]), c[2]) << c[0] << " up to " << c[1];
    EXPECT_THROW(TfmTestMultiReceipt::GetCycleValue(1, 0, QStringLiteral("Отдел")), Exception);
    const int snos[][2] = {{1, 1}, {2, 2}, {3, 4}, {4, 8}, {5, 16}, {6, 32}};
    for (const auto& s : snos)
        EXPECT_EQ(TfmTestMultiReceipt::SetSNO(s[0]), s[1]);
}

TEST_F(GeneratorTest, ExactValuesPrintOneShiftWithoutZReport)
{
    Page->chbCloseDay->setChecked(false);
    Page->seDayCount->setValue(5);  // ignored without "Закрывать смену"
    const int receipts = Documents(FNDocType::Receipt);
    Page->btnStart->click();

    EXPECT_EQ(Documents(FNDocType::Receipt), receipts + 2);
    EXPECT_EQ(Documents(FNDocType::CloseSession), 0);
    EXPECT_EQ(Count(M::PrintReportWithCleaning), 0);
    EXPECT_EQ(IntsAt(M::OpenCheck, P::CheckType), (std::vector<int>{0, 0}));
    const std::vector<TCallState> items = At(M::FNOperation);
    ASSERT_EQ(items.size(), 2u);
    for (const TCallState& item : items) {
        EXPECT_EQ(item.at(P::StringForPrinting).toString(), QStringLiteral("1 Товар"));
        EXPECT_EQ(item.at(P::CheckType).toInt(), 1);
        EXPECT_EQ(item.at(P::Price).toLongLong(), 1 * Rub);
        EXPECT_DOUBLE_EQ(item.at(P::Quantity).toDouble(), 1);
        EXPECT_EQ(item.at(P::Department).toInt(), 0);
        EXPECT_EQ(item.at(P::Tax1).toInt(), 1);
        EXPECT_EQ(item.at(P::PaymentTypeSign).toInt(), 1);
        EXPECT_EQ(item.at(P::PaymentItemSign).toInt(), 1);
    }
    const std::vector<TCallState> closings = At(M::FNCloseCheckEx);
    ASSERT_EQ(closings.size(), 2u);
    for (int n = 0; n < 2; ++n) {
        EXPECT_EQ(closings[n].at(P::StringForPrinting).toString(), QStringLiteral("Чек #%1 ").arg(n + 1));
        EXPECT_EQ(closings[n].at(P::Summ1).toLongLong(), 1 * Rub);
        EXPECT_EQ(PaymentOf(closings[n]), 1);
        EXPECT_EQ(closings[n].at(P::TaxType).toInt(), 1);
    }
    const FNDocument& last = FN().Documents.back();
    EXPECT_EQ(last.OperationType, 1);
    EXPECT_EQ(last.Payments[1], 1 * Rub);
    EXPECT_EQ(Page->edtDaysDone->text(), QStringLiteral("1"));
    EXPECT_EQ(Page->edtReceiptsDone->text(), QStringLiteral("2"));
    EXPECT_FALSE(Page->edtElapsed->text().isEmpty());
    ExpectIdle();
}

TEST_F(GeneratorTest, ClosedShiftsEndWithZReportsAndUnlimitedOnesOnStop)
{
    Page->chbCloseDay->setChecked(true);
    Page->seDayCount->setValue(2);
    Page->btnStart->click();
    EXPECT_EQ(Documents(FNDocType::CloseSession), 2);
    EXPECT_EQ(Documents(FNDocType::OpenSession), 2);  // each shift opened by its first receipt
    EXPECT_EQ(Count(M::FNCloseCheckEx), 4);
    EXPECT_FALSE(TestRegister().State().SessionOpen);
    ExpectIdle();

    Page->chbUnlimitedDayCount->setChecked(true);
    StopWhen([this] { return Documents(FNDocType::CloseSession) >= 5; });
    Page->btnStart->click();
    EXPECT_GE(Documents(FNDocType::CloseSession), 5);
    EXPECT_EQ(Page->edtDaysDone->text().toInt() + 2, Documents(FNDocType::CloseSession));
    ExpectIdle();
}

TEST_F(GeneratorTest, EachRuleOfEachValue)
{
    FN().Registration.TaxType = 63;
    TestRegister().Area<RegisterReceipt>().SetCashRegister(CashReg::CashInDrawer, 1000000 * Rub);
    Page->seReceiptCount->setValue(4);
    Page->seOperationCount->setValue(2);

    struct TValue {
        const char* Name;
        QComboBox* Value;
        QComboBox* Rule;
        int Index;                                 // the value chosen
        std::function<std::vector<int>()> Sent;    // one value per receipt
        std::vector<int> Exact, Cycled, Range;     // Range: every value a draw may give
    };
    // The first item's value of each receipt; unless drawn, the second item's is the same.
    const auto perItem = [this](M method, P prop) {
        return [this, method, prop] {
            std::vector<int> all = IntsAt(method, prop), perReceipt;
            const bool drawn = CurrentRule == atRandom;
            for (std::size_t i = 0; i + 1 < all.size(); i += 2) {
                if (!drawn) {
                    EXPECT_EQ(all[i], all[i + 1]) << "every item of a receipt alike";
                }
                perReceipt.push_back(all[i]);
            }
            return perReceipt;
        };
    };
    const auto range = [](int from, int to) {
        std::vector<int> r;
        for (int v = from; v <= to; ++v)
            r.push_back(v);
        return r;
    };
    std::vector<int> signs = range(1, 27);
    signs.insert(signs.end(), {30, 31, 32, 33});
    const TValue values[] = {
        {"receipt type", Page->cbReceiptType, Page->cbReceipTypeApplyType, 2, perItem(M::FNOperation, P::CheckType),
         {3, 3, 3, 3}, {1, 2, 3, 1}, range(1, 4)},
        {"department", Page->cbDepartment, Page->cbDepartmentApplyType, 3, perItem(M::FNOperation, P::Department),
         {3, 3, 3, 3}, {1, 2, 3, 1}, range(0, 15)},
        {"tax", Page->cbTax, Page->cbTaxApplyType, 2, perItem(M::FNOperation, P::Tax1), {3, 3, 3, 3}, {1, 2, 3, 1},
         range(1, 6)},
        {"item type", Page->cbItemType, Page->cbItemTypeApplyType, 2, perItem(M::FNOperation, P::PaymentTypeSign),
         {3, 3, 3, 3}, {1, 2, 3, 1}, range(1, 7)},
        {"item sign", Page->cbItemSign, Page->cbItemSignApplyType, 28, perItem(M::FNOperation, P::PaymentItemSign),
         {31, 31, 31, 31}, {1, 2, 3, 4}, signs},
        {"payment type", Page->cbPaymentType, Page->cbPaymentApplyType, 2,
         [this] {
             std::vector<int> sent;
             for (const TCallState& s : At(M::FNCloseCheckEx))
                 sent.push_back(PaymentOf(s));
             return sent;
         },
         {3, 3, 3, 3}, {1, 2, 3, 1}, range(1, 16)},
        {"tax system", Page->cbSNO, Page->cbSNOApplyType, 2, [this] { return IntsAt(M::FNCloseCheckEx, P::TaxType); },
         {4, 4, 4, 4}, {1, 2, 4, 1}, {1, 2, 4, 8, 16, 32}},
    };
    for (const TValue& v : values) {
        for (int rule : {atExact, atCycle, atRandom}) {
            SCOPED_TRACE(testing::Message() << v.Name << ", rule " << rule);
            CurrentRule = rule;
            v.Value->setCurrentIndex(v.Index);
            v.Rule->setCurrentIndex(rule);
            TestComponent().Trace().Clear();
            Page->btnStart->click();
            ASSERT_EQ(Count(M::FNCloseCheckEx), 4) << Main->edtResult->text().toStdString();
            const std::vector<int> sent = v.Sent();
            if (rule == atExact)
                EXPECT_EQ(sent, v.Exact);
            else if (rule == atCycle)
                EXPECT_EQ(sent, v.Cycled);
            else
                for (int value : sent)
                    EXPECT_TRUE(std::count(v.Range.begin(), v.Range.end(), value)) << value;
        }
        v.Rule->setCurrentIndex(atExact);
        v.Value->setCurrentIndex(0);
    }
    ExpectIdle();
}

TEST_F(GeneratorTest, SnapshotAtStartButExactPaymentTypeReadAtEachReceipt)
{
    // The payment type changes to "2" after the first receipt: the exact rule
    // follows it, the cycle keeps the bound chosen at the start.
    const struct {
        int Rule;
        int StartIndex;
        std::vector<int> Payments;
    } cases[] = {{atExact, 0, {1, 2, 2}}, {atCycle, 2, {1, 2, 3}}};
    Page->seReceiptCount->setValue(3);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Rule);
        Page->cbPaymentType->setCurrentIndex(c.StartIndex);
        Page->cbPaymentApplyType->setCurrentIndex(c.Rule);
        Page->cbDepartment->setCurrentIndex(0);
        Page->edtPositionName->setText(QStringLiteral("Товар"));
        TestComponent().Trace().Clear();
        bool changed = false;
        auto* timer = new QTimer(Page);
        timer->setInterval(0);
        QObject::connect(timer, &QTimer::timeout, Page, [&] {
            if (!changed && Count(M::FNCloseCheckEx) == 1) {
                Page->cbPaymentType->setCurrentIndex(1);
                Page->cbDepartment->setCurrentIndex(5);
                Page->edtPositionName->setText(QStringLiteral("Другое"));
                changed = true;
            }
        });
        timer->start();
        Page->btnStart->click();
        delete timer;
        ASSERT_TRUE(changed);
        std::vector<int> payments;
        for (const TCallState& s : At(M::FNCloseCheckEx))
            payments.push_back(PaymentOf(s));
        EXPECT_EQ(payments, c.Payments);
        EXPECT_EQ(IntsAt(M::FNOperation, P::Department), (std::vector<int>{0, 0, 0}));
        EXPECT_EQ(At(M::FNOperation).back().at(P::StringForPrinting).toString(), QStringLiteral("1 Товар"));
    }
}

TEST_F(GeneratorTest, RandomDrawsStayInRangeAndReachEveryTypeAndTaxSystem)
{
    FN().Registration.TaxType = 63;
    TestRegister().Area<RegisterReceipt>().SetCashRegister(CashReg::CashInDrawer, 100000000 * Rub);
    for (QComboBox* rule : {Page->cbReceipTypeApplyType, Page->cbDepartmentApplyType, Page->cbTaxApplyType,
                            Page->cbItemTypeApplyType, Page->cbItemSignApplyType, Page->cbPaymentApplyType,
                            Page->cbSNOApplyType})
        rule->setCurrentIndex(atRandom);
    for (QCheckBox* random : {Page->chbRandomPrice, Page->chbRandomQuantity, Page->chbRandomOperationCount})
        random->setChecked(true);
    Page->seReceiptCount->setValue(60);
    Page->btnStart->click();
    ASSERT_EQ(Count(M::FNCloseCheckEx), 60) << Main->edtResult->text().toStdString();

    std::set<int> types, systems;
    for (int type : IntsAt(M::FNOperation, P::CheckType))
        types.insert(type);
    for (int system : IntsAt(M::FNCloseCheckEx, P::TaxType))
        systems.insert(system);
    EXPECT_EQ(types, (std::set<int>{1, 2, 3, 4}));
    EXPECT_EQ(systems, (std::set<int>{1, 2, 4, 8, 16, 32}));
    const std::vector<TCallState> items = At(M::FNOperation);
    EXPECT_GT(items.size(), 60u);
    EXPECT_LE(items.size(), 60u * 20);
    for (const TCallState& item : items) {
        const Currency price = item.at(P::Price).toLongLong();
        const double quantity = item.at(P::Quantity).toDouble();
        EXPECT_TRUE(price >= 1 * Rub && price <= 1001 * Rub) << price;
        EXPECT_TRUE(quantity >= 1 && quantity < 11) << quantity;
        const qlonglong barcode = item.at(P::BarCode).toString().toLongLong();
        EXPECT_TRUE(barcode >= 0 && barcode < 1234567890) << barcode;
    }

    // A random number of receipts; the same seed gives the same run.
    Page->chbRandomReceiptCount->setChecked(true);
    std::vector<std::size_t> sizes;
    for (int run = 0; run < 2; ++run) {
        TestComponent().Trace().Clear();
        Page->btnStart->click();
        const int receipts = Count(M::FNCloseCheckEx);
        EXPECT_TRUE(receipts >= 1 && receipts <= 100) << receipts;
        EXPECT_EQ(Page->edtReceiptsDone->text().toInt(), receipts);
        sizes.push_back(At(M::FNOperation).size());
    }
    EXPECT_EQ(sizes[0], sizes[1]);
}

TEST_F(GeneratorTest, ClosingTheWindowEndsAnUnlimitedRun)
{
    Page->chbCloseDay->setChecked(true);
    Page->chbUnlimitedDayCount->setChecked(true);
    Main->show();
    auto* timer = new QTimer(Page);
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, Page, [this, timer] {
        if (Documents(FNDocType::CloseSession) >= 2) {
            Main->close();
            timer->stop();
        }
    });
    timer->start();
    Page->btnStart->click();
    EXPECT_EQ(Documents(FNDocType::CloseSession), 2);
    ExpectIdle();
}

TEST_F(GeneratorTest, BusyRegisterIsAskedAgainAndStopEndsTheWait)
{
    TestRegister().Faults().FailNext(M::FNCloseCheckEx, OrvekResult::FNBusy, 3);
    Page->btnStart->click();
    EXPECT_EQ(Count(M::FNCloseCheckEx), 2 + 3);
    EXPECT_EQ(Page->edtReceiptsDone->text(), QStringLiteral("2"));
    ExpectIdle();

    // A register busy for ever: "Прервать" ends the wait and the run.
    TestRegister().Faults().FailNext(M::FNOperation, OrvekResult::PrinterBusy, 1 << 30);
    TestComponent().Trace().Clear();
    StopWhen([this] { return Count(M::FNOperation) >= 5; });
    Page->btnStart->click();
    EXPECT_GE(Count(M::FNOperation), 5);
    EXPECT_EQ(Count(M::FNCloseCheckEx), 0);
    EXPECT_TRUE(TestDialogs().messages().isEmpty());
    ExpectIdle();
}

// "Прервать" in the middle of a receipt: the run cancels the receipt it
// opened, so the register is not left in "Открытый документ" (mode 8); a
// register that refuses the cancel is told about with the way to close it.
TEST_F(GeneratorTest, StoppingMidReceiptCancelsTheReceiptItOpened)
{
    struct Case {
        const char* Name;
        bool BusyClose;     // stopped while the closing is answered busy
        bool RefuseCancel;  // the register refuses the cancel
    };
    const Case cases[] = {{"between items", false, false}, {"busy closing", true, false}, {"refused", false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TestDialogs().clear();
        TestRegister().Faults().Clear();
        TestComponent().Trace().Clear();
        Page->seOperationCount->setValue(3);
        if (c.BusyClose) {
            TestRegister().Faults().FailNext(M::FNCloseCheckEx, OrvekResult::FNBusy, 1 << 30);
            StopWhen([this] { return Count(M::FNCloseCheckEx) >= 2; });
        } else {
            StopWhen([this] { return Count(M::FNOperation) >= 2; });
        }
        if (c.RefuseCancel)
            TestRegister().Faults().FailNext(M::SysAdminCancelCheck, 115);
        Page->btnStart->click();
        ExpectIdle();
        EXPECT_EQ(Count(M::FNCloseCheckEx) > 0, c.BusyClose);
        ASSERT_EQ(Driver().GetECRStatus(), 0);
        if (c.RefuseCancel) {
            EXPECT_EQ(Driver().ECRMode(), 8);
            ASSERT_EQ(TestDialogs().messages().size(), 1);
            EXPECT_TRUE(TestDialogs().lastMessage().startsWith(
                QStringLiteral("Генерация чеков прервана, а открытый ею чек отменить не удалось: (115) ")))
                << TestDialogs().lastMessage().toStdString();
            EXPECT_TRUE(TestDialogs().lastMessage().contains(QStringLiteral("\"Адм. отмена чека\"")));
            ASSERT_EQ(Driver().SysAdminCancelCheck(), 0);
        } else {
            EXPECT_NE(Driver().ECRMode(), 8);
            EXPECT_TRUE(TestDialogs().messages().isEmpty());
            EXPECT_EQ(Count(M::SysAdminCancelCheck), 1);
            EXPECT_EQ(PanelCode(), 0);
        }
    }
}

TEST_F(GeneratorTest, OpenReceiptIsCancelledFirst)
{
    Driver().setCheckType(0);
    ASSERT_EQ(Driver().OpenCheck(), 0);
    TestComponent().Trace().Clear();
    Page->btnStart->click();
    const std::vector<M> methods = Methods();
    ASSERT_GE(methods.size(), 4u);
    EXPECT_EQ((std::vector<M>(methods.begin(), methods.begin() + 4)),
              (std::vector<M>{M::LockPort, M::GetECRStatus, M::SysAdminCancelCheck, M::WaitForPrinting}));
    EXPECT_EQ(Count(M::FNCloseCheckEx), 2);
}

TEST_F(GeneratorTest, LongNameIsCutAfterTheItemNumber)
{
    Page->seOperationCount->setValue(10);
    Page->seReceiptCount->setValue(1);
    const QString name = QString(200, QLatin1Char('x'));
    Page->edtPositionName->setText(name);
    Page->btnStart->click();
    const std::vector<TCallState> items = At(M::FNOperation);
    ASSERT_EQ(items.size(), 10u);
    EXPECT_EQ(items[0].at(P::StringForPrinting).toString(), "1 " + name.left(126));
    EXPECT_EQ(items[9].at(P::StringForPrinting).toString(), "10 " + name.left(125));

    Page->chbPositionAddNumber->setChecked(false);
    TestComponent().Trace().Clear();
    Page->btnStart->click();
    EXPECT_EQ(At(M::FNOperation).front().at(P::StringForPrinting).toString(), name.left(128));
}

TEST_F(GeneratorTest, BadInputsStopBeforeThePortIsTaken)
{
    const struct {
        const char* Quantity;
        const char* Price;
        const char* Bad;
    } cases[] = {{"abc", "1", "abc"}, {"1", "1..5", "1..5"}, {"", "1", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Bad);
        TestDialogs().clear();
        TestComponent().Trace().Clear();
        Page->edtQuantity->setText(QString::fromUtf8(c.Quantity));
        Page->edtPrice->setText(QString::fromUtf8(c.Price));
        Page->btnStart->click();
        EXPECT_EQ(TestDialogs().lastMessage(),
                  QStringLiteral("\"%1\" не является числом").arg(QString::fromUtf8(c.Bad)));
        EXPECT_EQ(Count(M::LockPort), 0);
        ExpectIdle();
    }
}

TEST_F(GeneratorTest, CyclingUpToDepartmentZeroStopsWithAMessage)
{
    Page->cbDepartment->setCurrentIndex(0);
    Page->cbDepartmentApplyType->setCurrentIndex(atCycle);
    Page->btnStart->click();
    EXPECT_TRUE(TestDialogs().lastMessage().contains(QStringLiteral("\"Отдел\""))) << TestDialogs().lastMessage().toStdString();
    EXPECT_EQ(Count(M::FNOperation), 0);
    ExpectIdle();
}

TEST_F(GeneratorTest, DocumentQueriesFollowEachReceiptAcrossZReports)
{
    Page->chbRequestDocuments->setChecked(true);
    Page->chbCloseDay->setChecked(true);
    Page->seDayCount->setValue(2);
    Page->btnStart->click();
    ASSERT_EQ(PanelCode(), 0) << Main->edtResult->text().toStdString();

    std::vector<int> receipts;
    for (const FNDocument& doc : FN().Documents)
        if (doc.Type == FNDocType::Receipt)
            receipts.push_back(doc.Number);
    EXPECT_EQ(IntsAt(M::FNFindDocument, P::DocumentNumber), receipts);
    EXPECT_EQ(Count(M::FNGetInfoExchangeStatus), 4);
    EXPECT_EQ(Count(M::FNGetStatus), 1);
    EXPECT_EQ(Driver().MessageCount() + 1, FN().UnconfirmedCount());  // the last Z report came after it
}

TEST_F(GeneratorTest, InputsFollowTheirRulesAndBoxes)
{
    Page->cbTaxApplyType->setCurrentIndex(atRandom);
    Page->cbSNOApplyType->setCurrentIndex(atCycle);
    EXPECT_FALSE(Page->cbTax->isEnabled());
    EXPECT_TRUE(Page->cbSNO->isEnabled());
    Page->chbRandomPrice->setChecked(true);
    EXPECT_FALSE(Page->edtPrice->isEnabled());
    EXPECT_TRUE(Page->edtQuantity->isEnabled());

    const struct {
        bool CloseDay, Unlimited, DayCountOn, UnlimitedOn;
    } days[] = {{false, false, false, false}, {true, false, true, true}, {true, true, false, true}, {false, true, false, false}};
    for (const auto& d : days) {
        Page->chbCloseDay->setChecked(d.CloseDay);
        Page->chbUnlimitedDayCount->setChecked(d.Unlimited);
        EXPECT_EQ(Page->seDayCount->isEnabled(), d.DayCountOn) << d.CloseDay << d.Unlimited;
        EXPECT_EQ(Page->chbUnlimitedDayCount->isEnabled(), d.UnlimitedOn) << d.CloseDay << d.Unlimited;
    }
}

class TestReceiptTest : public GeneratorTest {
protected:
    void SetUp() override
    {
        GeneratorTest::SetUp();
        Receipt = Main->Pages().PageByClass<TfmTestReceipt>();
        ASSERT_NE(Receipt, nullptr);
        Receipt->seSaleCount->setValue(2);
        Receipt->seLineCount->setValue(2);
    }
    TfmTestReceipt* Receipt = nullptr;
};

TEST_F(TestReceiptTest, SalesWithLinesRetriedWhileBusy)
{
    TestRegister().Faults().FailNext(M::Sale, OrvekResult::PrinterBusy, 2);
    Receipt->btnTestReceipt->click();
    EXPECT_EQ(PanelCode(), 0) << Main->edtResult->text().toStdString();
    EXPECT_EQ(Count(M::Sale), 4);
    const std::optional<ReceiptDocument>& doc = TestRegister().Area<RegisterReceipt>().LastReceipt();
    ASSERT_TRUE(doc.has_value());
    ASSERT_EQ(doc->Items.size(), 2u);
    EXPECT_EQ(doc->Items[1].Text, QStringLiteral("Продажа № 2"));
    EXPECT_EQ(doc->Items[1].Price, 100);
    EXPECT_EQ(doc->Items[1].Department, 1);
    const QStringList paper = TestRegister().Paper().Texts();
    for (const char* line : {"Продажа № 1, строка 1", "Продажа № 1, строка 2", "Продажа № 2, строка 2"})
        EXPECT_TRUE(paper.contains(QString::fromUtf8(line))) << line;
    EXPECT_EQ(TestRegister().PortOwner(), nullptr);
    EXPECT_TRUE(Receipt->btnTestReceipt->isEnabled());
}

TEST_F(TestReceiptTest, GivesUpOnARegisterBusyForEverAndEndsSilentlyOnErrors)
{
    TestRegister().Faults().FailNext(M::CloseCheck, OrvekResult::PrinterBusy, 1 << 30);
    Receipt->BusyTries = 5;
    Receipt->btnTestReceipt->click();
    EXPECT_EQ(Count(M::CloseCheck), 5);
    EXPECT_EQ(PanelCode(), OrvekResult::PrinterBusy) << Main->edtResult->text().toStdString();
    EXPECT_EQ(TestRegister().PortOwner(), nullptr);
    TestRegister().Faults().Clear();

    // The receipt left open is cancelled by the next one, whose failing line ends it silently.
    TestRegister().Faults().FailNext(M::PrintString, OrvekResult::NoPaper);
    TestComponent().Trace().Clear();
    Receipt->btnTestReceipt->click();
    EXPECT_EQ(Count(M::SysAdminCancelCheck), 1);
    EXPECT_EQ(PanelCode(), OrvekResult::NoPaper);
    EXPECT_EQ(Count(M::CloseCheck), 0);
    EXPECT_TRUE(TestDialogs().messages().isEmpty());
    EXPECT_EQ(TestRegister().PortOwner(), nullptr);
    EXPECT_EQ(Methods().back(), M::UnlockPort);
    EXPECT_TRUE(Receipt->btnTestReceipt->isEnabled());
}
