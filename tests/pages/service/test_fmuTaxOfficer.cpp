// The pages "НИ" and "НИ 2": the tax inspector's password guard, the
// fiscalisation and the fiscal memory's reports of the emulated register.
#include "pages/service/fmuTaxOfficer.h"
#include "pages/service/fmuTaxOfficer2.h"

#include "emulator/RegisterCounters.h"
#include "emulator/RegisterFiscalMemory.h"
#include "tests/DriverTestSupport.h"
#include "tests/TestSupport.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

using M = OrvekMethod;

namespace {
const QString Irreversible = QStringLiteral("Фискализацию аппарата нельзя отменить.\r\nВы хотите продолжить?");

QString PasswordQuestion(int password)
{
    return QStringLiteral("Будет введен пароль налогового инспектора (%1)\r\nВ случае ошибки принтер будет "
                          "заблокирован до ввода правильного пароля.\r\nПродолжить?")
        .arg(password);
}

class TaxOfficerTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        Page = std::make_unique<TfmTaxOfficer>();
        Page2 = std::make_unique<TfmTaxOfficer2>();
        Driver().setPassword(0);  // the model's default inspector password
    }
    void TearDown() override
    {
        Page.reset();
        Page2.reset();
        DriverTest::TearDown();
    }
    static RegisterFiscalMemory& FM() { return TestRegister().Area<RegisterFiscalMemory>(); }
    static void Lock(bool on) { TestRegister().ModelParams().Set(40, on); }
    // A session closed by a Z report on that day with these totals by receipt kind.
    static void CloseSession(const QDate& day, std::array<Currency, 4> totals)
    {
        TestRegister().SetNow(QDateTime(day, QTime(12, 0)));
        for (int kind = 0; kind < 4; ++kind)
            TestRegister().Area<RegisterCounters>().SetCashRegisterEx(CashRegEx::SessionTotals + kind,
                                                                      totals[std::size_t(kind)]);
        TestRegister().State().Mode = 2;
        TestRegister().State().SessionOpen = true;
        const std::int32_t password = Driver().Password();
        Driver().setPassword(30);
        ASSERT_EQ(Driver().PrintReportWithCleaning(), 0);
        Driver().setPassword(password);
    }
    void Fiscalize(const QString& rnm, const QString& inn, const QString& newPassword)
    {
        Page->edtRNM->setText(rnm);
        Page->edtINN->setText(inn);
        Page->edtNewPasswordTI->setText(newPassword);
        Page->btnFiscalization->click();
    }

    std::unique_ptr<TfmTaxOfficer> Page;
    std::unique_ptr<TfmTaxOfficer2> Page2;
};
} // namespace

TEST_F(TaxOfficerTest, PasswordGuardAsksByLockAndChangedPassword)
{
    struct Case {
        bool Lock;
        bool Changed;
        bool AsksNI;
        bool AsksNI2;
    };
    const Case cases[] = {
        {false, false, false, false}, {false, true, false, true}, {true, false, false, false}, {true, true, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "lock " << c.Lock << ", changed " << c.Changed);
        Lock(c.Lock);
        Driver().setPassword(c.Changed ? 5 : Driver().EnteredTaxPassword());
        for (auto [button, method, asks] :
             {std::tuple{Page->btnGetRangeDatesAndSessions, M::GetRangeDatesAndSessions, c.AsksNI},
              std::tuple{Page2->btnGetShortReportInSessionRange, M::GetShortReportInSessionRange, c.AsksNI2}}) {
            TestDialogs().clear();
            TestRegister().ClearJournal();
            if (asks)
                TestDialogs().answerMessage(Dialogs::mrNo);
            button->click();
            EXPECT_EQ(TestDialogs().messages(), asks ? QStringList{PasswordQuestion(5)} : QStringList{});
            EXPECT_EQ(TestRegister().CallCount(method), asks ? 0 : 1);
            if (asks) {
                EXPECT_EQ(TestDialogs().shown().front().message.buttons, Dialogs::Buttons::YesNo);
                EXPECT_EQ(TestDialogs().shown().front().message.caption, QStringLiteral("Внимание!"));
                TestDialogs().answerMessage(Dialogs::mrYes);
                button->click();
                EXPECT_EQ(TestRegister().CallCount(method), 1);
            }
        }
    }
}

TEST_F(TaxOfficerTest, FailedLockReadShowsInTheResultPanel)
{
    std::vector<TChangeType> changes;
    PageNotifier().SetOnChange([&](TPageNotifier*, TChangeType t) { changes.push_back(t); });
    TestRegister().Faults().FailNext(M::ReadModelParamValue, -1);
    Page->btnOperationalTaxReport->click();
    PageNotifier().SetOnChange(nullptr);
    EXPECT_EQ(changes, (std::vector<TChangeType>{ctStart, ctStop}));
    EXPECT_EQ(Driver().ResultCode(), -1);
    EXPECT_EQ(TestRegister().CallCount(M::PrintOperationalTaxReport), 0);
    EXPECT_TRUE(Page->btnOperationalTaxReport->isEnabled());
}

TEST_F(TaxOfficerTest, FiscalisationQuestionsReadBackAndFailures)
{
    // With the lock: the irreversibility question first; No ends it.
    Lock(true);
    Driver().setPassword(5);
    TestDialogs().answerMessage(Dialogs::mrNo);
    Fiscalize(QStringLiteral("1234567890"), QStringLiteral("7701234567"), QStringLiteral("1234"));
    EXPECT_EQ(TestDialogs().messages(), QStringList{Irreversible});
    EXPECT_EQ(TestDialogs().shown().front().message.defaultButton, Dialogs::mrNo);
    EXPECT_EQ(TestRegister().CallCount(M::Fiscalization), 0);

    // A wrong password: the three read-only edits are emptied, the register locks.
    Page->edtFreeRegistration->setText(QStringLiteral("x"));
    Page->edtSessionNumber->setText(QStringLiteral("x"));
    Page->edtDate->setText(QStringLiteral("x"));
    TestDialogs().answerMessage(Dialogs::mrYes);
    TestDialogs().answerMessage(Dialogs::mrYes);
    Fiscalize(QStringLiteral("1234567890"), QStringLiteral("7701234567"), QStringLiteral("1234"));
    EXPECT_EQ(TestDialogs().messages(), (QStringList{Irreversible, Irreversible, PasswordQuestion(5)}));
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::BadPassword);
    EXPECT_EQ(Page->edtFreeRegistration->text() + Page->edtSessionNumber->text() + Page->edtDate->text(), QString());
    EXPECT_TRUE(FM().Locked());
    EXPECT_TRUE(Driver().GetECRStatus() == 0 && Driver().IsBlockedByWrongTaxPassword());

    // Without the lock nothing is asked; the right password fiscalises.
    Lock(false);
    TestDialogs().clear();
    Driver().setPassword(0);
    CloseSession(TestRegister().Now().date(), {});
    Fiscalize(QStringLiteral("1234567890"), QStringLiteral("7701234567"), QStringLiteral("1234"));
    EXPECT_TRUE(TestDialogs().messages().isEmpty());
    ASSERT_EQ(Driver().ResultCode(), 0);
    EXPECT_EQ(Page->seRegistrationNumber->value(), 1);
    EXPECT_EQ(Page->edtFreeRegistration->text(), QStringLiteral("15"));
    EXPECT_EQ(Page->edtSessionNumber->text(), QStringLiteral("1"));
    EXPECT_EQ(Page->edtDate->text(), TestRegister().Now().date().toString(QStringLiteral("dd.MM.yyyy")));
    EXPECT_FALSE(FM().Locked());
    EXPECT_EQ(FM().TaxPassword(), 1234);
    EXPECT_EQ(Driver().EnteredTaxPassword(), 1234);

    // A second fiscalisation under the new password leaves one fewer.
    Driver().setPassword(1234);
    Fiscalize(QStringLiteral("99"), QStringLiteral("500100732259"), QStringLiteral("77"));
    EXPECT_EQ(Page->edtFreeRegistration->text(), QStringLiteral("14"));
    EXPECT_EQ(Page->seRegistrationNumber->value(), 2);
}

TEST_F(TaxOfficerTest, FiscalisationRefusesANonIntegerPasswordBeforeAnyCall)
{
    Page->edtNewPasswordTI->clear();
    QTest::keyClicks(Page->edtNewPasswordTI, QStringLiteral("1a2.b5"));
    EXPECT_EQ(Page->edtNewPasswordTI->text(), QStringLiteral("12.5"));
    TestComponent().Trace().Clear();
    Page->btnFiscalization->click();
    EXPECT_EQ(TestDialogs().lastMessage(), QStringLiteral("\"12.5\" не является целым числом"));
    for (M method : TestComponent().Trace().Methods())
        EXPECT_EQ(method, M::ReadModelParamValue);
    EXPECT_TRUE(Page->btnFiscalization->isEnabled());
}

TEST_F(TaxOfficerTest, FiscalisationParametersAndTheirFailure)
{
    FM().Fiscalizations.push_back({1, QString(), QString(), 321, 4, QDate(2024, 2, 29)});
    Driver().setPassword(321);
    Page->seRegistrationNumber->setValue(1);
    Page->btnGetFiscalizationParameters->click();
    EXPECT_EQ(Page->edtNewPasswordTI->text(), QStringLiteral("321"));
    EXPECT_EQ(Page->edtRNM->text(), QStringLiteral("не задан"));
    EXPECT_EQ(Page->edtINN->text(), QStringLiteral("не задан"));
    EXPECT_EQ(Page->edtSessionNumber->text(), QStringLiteral("4"));
    EXPECT_EQ(Page->edtDate->text(), QStringLiteral("29.02.2024"));

    // No fiscalisation 2: the date and session are emptied, nothing else.
    Page->edtFreeRegistration->setText(QStringLiteral("15"));
    Page->seRegistrationNumber->setValue(2);
    Page->btnGetFiscalizationParameters->click();
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::BadParameter);
    EXPECT_EQ(Page->edtDate->text(), QString());
    EXPECT_EQ(Page->edtSessionNumber->text(), QString());
    EXPECT_EQ(Page->edtFreeRegistration->text(), QStringLiteral("15"));
    EXPECT_EQ(Page->edtRNM->text(), QStringLiteral("не задан"));
}

TEST_F(TaxOfficerTest, RangesReportsAndShortReportTotalsInTheLabelsOrder)
{
    const Currency R = 10000;
    CloseSession(QDate(2025, 1, 10), {100 * R, 20 * R, 3 * R, 4 * R});
    CloseSession(QDate(2025, 1, 12), {1000 * R, 0, 30 * R, 0});
    CloseSession(QDate(2025, 1, 15), {5 * R, 5 * R, 5 * R, 5 * R});

    Page->btnGetRangeDatesAndSessions->click();
    EXPECT_EQ(Page->seFirstSessionNumber->value(), 1);
    EXPECT_EQ(Page->seLastSessionNumber->value(), 3);
    EXPECT_EQ(Page->dtpFirstSessionDate->date(), QDate(2025, 1, 10));
    EXPECT_EQ(Page->dtpLastSessionDate->date(), QDate(2025, 1, 15));

    // A short report by dates prints at once and reads its range back.
    Page->dtpFirstSessionDate->setDate(QDate(2025, 1, 11));
    Page->dtpLastSessionDate->setDate(QDate(2025, 1, 31));
    Page->btnFiscalReportforDatesRange->click();
    EXPECT_EQ(Page->seFirstSessionNumber->value(), 2);
    EXPECT_EQ(Page->seLastSessionNumber->value(), 3);
    EXPECT_TRUE(TestRegister().Paper().Texts().contains(QStringLiteral("КРАТКИЙ ФИСКАЛЬНЫЙ ОТЧЕТ")));

    // НИ 2: the totals from top to bottom are sales, purchases, sale returns, purchase returns.
    Page2->seFirstSessionNumber->setValue(1);
    Page2->seLastSessionNumber->setValue(2);
    Page2->btnGetShortReportInSessionRange->click();
    ASSERT_EQ(Driver().ResultCode(), 0);
    EXPECT_EQ((QStringList{Page2->edtSumm1->text(), Page2->edtSumm2->text(), Page2->edtSumm3->text(),
                           Page2->edtSumm4->text()}),
              (QStringList{"1100.00", "20.00", "33.00", "4.00"}));
    EXPECT_EQ(Page2->dtpLastSessionDate->date(), QDate(2025, 1, 12));

    // A failure empties the seven read-only edits.
    Page2->edtSessionNumber->setText(QStringLiteral("1"));
    Page2->edtECRDate->setText(QStringLiteral("1"));
    Page2->edtEKLZNumber->setText(QStringLiteral("1"));
    Page2->dtpFirstSessionDate->setDate(QDate(2020, 1, 1));
    Page2->dtpLastSessionDate->setDate(QDate(2020, 1, 2));
    Page2->btnGetShortReportInDatesRange->click();
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::BadParameter);
    for (QLineEdit* e : Page2->findChildren<QLineEdit*>()) {
        if (e->isReadOnly()) {
            EXPECT_EQ(e->text(), QString()) << e->objectName().toStdString();
        }
    }
}

TEST_F(TaxOfficerTest, LongReportPrintsOnTheClockAndCanBeInterrupted)
{
    for (int day = 1; day <= 5; ++day)
        CloseSession(QDate(2025, 2, day), {day * 10000, 0, 0, 0});
    const qsizetype before = TestRegister().Paper().Texts().size();
    Page->cbReportType->setCurrentIndex(1);
    Page->seFirstSessionNumber->setValue(1);
    Page->seLastSessionNumber->setValue(5);
    Page->btnFiscalReportforSessionRange->click();
    ASSERT_EQ(Driver().ResultCode(), 0);
    EXPECT_EQ(TestRegister().Paper().Texts().size(), before);
    TestRegister().SetNow(TestRegister().Now().addMSecs(3 * RegisterFiscalMemory::LineMs));
    // While it prints, the inspector's other commands wait.
    Page->btnOperationalTaxReport->click();
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::PrinterBusy);
    EXPECT_EQ(TestRegister().Paper().Texts().size(), before + 3);
    Page->btnInterruptFullReport->click();
    EXPECT_EQ(Driver().ResultCode(), 0);
    EXPECT_EQ(TestRegister().Paper().Texts().last(), QStringLiteral("ОТЧЕТ ПРЕРВАН"));
    Page->btnInterruptFullReport->click();
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::WrongMode);
    Page->btnOperationalTaxReport->click();
    EXPECT_EQ(Driver().ResultCode(), 0);
}

TEST_F(TaxOfficerTest, EKLZActivationOfEachFiscalisation)
{
    Page2->seRegistrationNumber->setValue(1);
    Page2->btnReadEKLZActivizationParams->click();
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::BadParameter);
    Fiscalize(QStringLiteral("1234567890"), QStringLiteral("7701234567"), QStringLiteral("0"));
    Page2->btnReadEKLZActivizationParams->click();
    ASSERT_EQ(Driver().ResultCode(), 0);
    EXPECT_EQ(Page2->edtEKLZNumber->text(), QStringLiteral("0000012345"));
    EXPECT_EQ(Page2->edtSessionNumber->text(), QStringLiteral("0"));
    EXPECT_EQ(Page2->edtECRDate->text(), TestRegister().Now().date().toString(QStringLiteral("dd.MM.yyyy")));
}
