// The state check, the serial number entry, the FN archive close and the
// calculation-state report on the emulated register.
#include "emulator/RegisterFN.h"
#include "emulator/RegisterOFD.h"
#include "regmaven/fmuBeforeCloseFN.h"
#include "regmaven/fmuCalculationStateReport.h"
#include "regmaven/fmuCheckStatus.h"
#include "regmaven/fmuCloseFN.h"
#include "regmaven/fmuSelectClientType.h"
#include "regmaven/fmuSelectWorkType.h"
#include "regmaven/fmuSerial.h"
#include "tests/regmaven/RegistrationPageTest.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Regmaven;

namespace {

RegisterFN& FN()
{
    return TestRegister().Area<RegisterFN>();
}

QColor TextColor(const QWidget* w)
{
    return w->palette().color(QPalette::WindowText);
}

} // namespace

TEST(CheckStatusTest, TimeDiffToStr)
{
    const QDateTime pc(QDate(2024, 3, 1), QTime(23, 59, 30));
    struct Case {
        qint64 ms;
        QString text;
        bool same;
    } cases[] = {
        {0, "время совпадает", true},
        {999, "время совпадает", true},
        {-999, "время совпадает", true},
        {7000, " 7 сек.", false},
        {59000, " 59 сек.", false},
        {-61000, "1 мин. 1 сек.", false},
        {120500, "2 мин. 0 сек.", false},
        {125000, "2 мин. 5 сек.", false},
        {3 * 3600 * 1000, "180 мин. 0 сек.", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ms);
        bool same = !c.same;
        EXPECT_EQ(TimeDiffToStr(pc, pc.addMSecs(c.ms), same), c.text);
        EXPECT_EQ(same, c.same);
    }
}

TEST(EnterSerialTest, ExtractSerialAndIsEmptySerial)
{
    struct Case {
        QString text, serial;
    } cases[] = {
        {"ККТ;М5;0012345678;2024", "0012345678"},
        {"0012345678", "0012345678"},
        {"a;0012345678", "a;0012345678"},
        {"a b;0012345678", "0012345678"},          // a blank separates too
        {"a;;0012345678", "0012345678"},           // an empty item counts
        {"\"x;y\";b;\"00 77\";c", "00 77"},        // quoted items stay whole
        {"  a;\tb ;  c  ", "c"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExtractSerial(c.text), c.serial) << c.text.toStdString();
    for (const char* empty : {"", "0", "0000000000000000"})
        EXPECT_TRUE(IsEmptySerial(empty)) << empty;
    for (const char* set : {"0000000000012345", "1", " 000"})
        EXPECT_FALSE(IsEmptySerial(set)) << set;
}

class ServiceStepsTest : public RegistrationPageTest {
protected:
    TFmCheckStatusBeforeRegistration& ShowCheck() { return Show<TFmCheckStatusBeforeRegistration>(); }
    bool NextEnabled() const { return FForm->btnNext->isEnabled(); }
    bool Connected() { return Component().ConnectedRegister() != nullptr; }
};

TEST_F(ServiceStepsTest, CheckWithSessionClosedAndNothingToSend)
{
    auto& page = ShowCheck();
    EXPECT_EQ(page.lblOFDStatus->text(),
              "Смена закрыта. Все сообщения отправлены в ОФД.\nНажмите \"Далее\" для продолжения");
    EXPECT_EQ(TextColor(page.lblOFDStatus), QColor(Qt::black));
    EXPECT_TRUE(NextEnabled());
    EXPECT_FALSE(page.btnSkip->isVisible());
    EXPECT_FALSE(page.btnCloseSession->isEnabled());
    EXPECT_FALSE(page.btnUpdataState->isEnabled());
    EXPECT_FALSE(Connected());
    EXPECT_EQ(Next(), "Введите заводской номер");
}

TEST_F(ServiceStepsTest, FailedCheckHoldsTheWizard)
{
    for (OrvekMethod method : {OrvekMethod::GetECRStatus, OrvekMethod::FNGetInfoExchangeStatus}) {
        TestRegister().Faults().FailNext(method, 17);
        auto& page = ShowCheck();
        EXPECT_TRUE(TestDialogs().lastMessage().startsWith("Ошибка 17, "));
        EXPECT_FALSE(NextEnabled());
        EXPECT_FALSE(page.btnSkip->isVisible());
        EXPECT_FALSE(Connected());
        // The next check that works lets it on.
        page.btnSyncDateTime->click();
        EXPECT_TRUE(NextEnabled());
    }
}

TEST_F(ServiceStepsTest, UnsentDocumentsHoldTheWizardUntilSentOrSkipped)
{
    for (int i = 0; i < 3; ++i)
        FN().AddDocument(FNDocType::Receipt);
    TestRegister().Area<RegisterOFD>().LinkUp = true;
    auto& page = ShowCheck();
    EXPECT_EQ(page.lblOFDStatus->text(),
              "Внимание! Есть неотправленные сообщения для ОФД (3 шт.)\nПродолжение невозможно");
    EXPECT_EQ(TextColor(page.lblOFDStatus), QColor(Qt::red));
    EXPECT_FALSE(NextEnabled());
    EXPECT_TRUE(page.btnSkip->isVisible());
    EXPECT_TRUE(page.btnUpdataState->isEnabled());
    // The connection stays open with the exchange running, so the OFD takes them.
    EXPECT_TRUE(Connected());
    EXPECT_FALSE(Regmaven::Driver().OFDExchangeSuspended());
    page.btnUpdataState->click();
    EXPECT_TRUE(page.lblOFDStatus->text().contains("(2 шт.)"));
    page.btnUpdataState->click();
    page.btnUpdataState->click();
    EXPECT_TRUE(NextEnabled());
    EXPECT_FALSE(page.btnSkip->isVisible());
    EXPECT_FALSE(Connected());

    // Suspended, nothing leaves: the skip goes on to the variant's next page.
    FN().AddDocument(FNDocType::Receipt);
    Regmaven::Driver().setOFDExchangeSuspended(true);
    TestRegister().Area<RegisterOFD>().LinkUp = false;
    Show<TFmCheckStatusBeforeRegistration>();
    Show<TFmCheckStatusBeforeRegistration>();
    EXPECT_TRUE(page.lblOFDStatus->text().contains("(1 шт.)"));
    EXPECT_FALSE(NextEnabled());
    page.btnSkip->click();
    EXPECT_EQ(Title(), "Введите заводской номер");
    EXPECT_FALSE(Connected());
}

TEST_F(ServiceStepsTest, OpenSessionIsClosedFromThePage)
{
    TOrvek& d = Regmaven::Driver();
    d.setCheckType(0);
    ASSERT_EQ(d.OpenCheck(), 0);
    d.Disconnect();
    auto& page = ShowCheck();
    EXPECT_EQ(page.lblOFDStatus->text(), "Внимание! Смена не закрыта.\nПродолжение невозможно");
    EXPECT_FALSE(NextEnabled());
    EXPECT_FALSE(page.btnSkip->isVisible());
    ASSERT_TRUE(page.btnCloseSession->isEnabled());
    // A failing close shows the error and leaves the connection closed.
    TestRegister().Faults().FailNext(OrvekMethod::GetECRStatus, 17);
    page.btnCloseSession->click();
    EXPECT_TRUE(TestDialogs().lastMessage().startsWith("Ошибка 17, "));
    EXPECT_FALSE(Connected());
    EXPECT_EQ(TestRegister().Mode(), 8);

    page.btnCloseSession->click();
    // The receipt was cancelled, the session closed, and the check ran again:
    // the session's documents wait for the OFD now.
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::SysAdminCancelCheck), 1);
    EXPECT_EQ(TestRegister().Mode(), 4);
    EXPECT_FALSE(page.btnCloseSession->isEnabled());
    EXPECT_TRUE(page.lblOFDStatus->text().startsWith("Внимание! Есть неотправленные сообщения для ОФД"));
}

TEST_F(ServiceStepsTest, ClocksAndTheirSync)
{
    TestRegister().State().ClockOffsetMs = 61500;
    auto& page = ShowCheck();
    EXPECT_EQ(page.lblTimeDiff->text(), "1 мин. 1 сек.");
    EXPECT_EQ(TextColor(page.lblTimeDiff), QColor(Qt::red));
    EXPECT_FALSE(page.lblTimeKKT->text().isEmpty());
    EXPECT_NE(page.lblTimeKKT->text(), page.lblTimePC->text());

    page.btnSyncDateTime->click();
    EXPECT_EQ(page.lblTimeDiff->text(), "время совпадает");
    EXPECT_EQ(TextColor(page.lblTimeDiff), clGreen);
    EXPECT_LT(qAbs(TestRegister().State().ClockOffsetMs), 1000);
    EXPECT_FALSE(Connected());
}

TEST_F(ServiceStepsTest, SyncReadsTheComputersClockOnceAcrossMidnight)
{
    // The computer's clock passes midnight between two readings.
    const QDateTime before(QDate(2024, 3, 1), QTime(23, 59, 58));
    const QDateTime after(QDate(2024, 3, 2), QTime(0, 0, 1));
    int readings = 0;
    const TComputerClock saved = SetComputerClock([&] { return readings++ == 0 ? before : after; });
    auto& page = ShowCheck();
    readings = 0;
    page.btnSyncDateTime->click();
    SetComputerClock(saved);
    // Date and time both from the first reading: the register is not a day behind.
    EXPECT_LT(qAbs(TestRegister().Now().secsTo(before)), 2);
    EXPECT_EQ(readings, 2);  // the sync, then the state check
}

TEST_F(ServiceStepsTest, SerialEntry)
{
    // The register has a number: shown, nothing to enter.
    auto& page = Show<TfmEnterSerial>();
    EXPECT_TRUE(page.lblSerialEntered->isVisible());
    EXPECT_FALSE(page.edtSerial->isEnabled());
    EXPECT_EQ(page.edtSerial->backgroundRole(), QPalette::Button);
    EXPECT_EQ(page.edtSerial->text(), TestRegister().State().Serial);
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_TRUE(WentTo<TfmSelectClientType>());
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::SetSerialNumber), 0);

    // Zeros only count as none: the scanned text's third item is written.
    TestRegister().State().Serial = QStringLiteral("0000000000000000");
    Show<TfmEnterSerial>();
    EXPECT_FALSE(page.lblSerialEntered->isVisible());
    ASSERT_TRUE(page.edtSerial->isEnabled());
    EXPECT_EQ(page.edtSerial->backgroundRole(), QPalette::Base);
    page.edtSerial->clear();
    page.edtSerial->setFocus();
    // A scanner's characters are typed, others dropped.
    QTest::keyClicks(page.edtSerial, "12a;-B");
    QTest::sendKeyEvent(QTest::Click, page.edtSerial, Qt::Key_unknown, QStringLiteral("ж"), Qt::NoModifier);
    EXPECT_EQ(page.edtSerial->text(), "12a;-B");
    // A number typed stops at 20 characters; a pasted scanner text reaches Enter whole.
    page.edtSerial->clear();
    QTest::keyClicks(page.edtSerial, QString(25, '3'));
    EXPECT_EQ(page.edtSerial->text(), QString(20, '3'));
    const QString scanned = "KKT-F;0005;0012345678;20261211";
    QApplication::clipboard()->setText(scanned);
    page.edtSerial->selectAll();
    QTest::keyClick(page.edtSerial, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(page.edtSerial->text(), scanned);
    QTest::keyClick(page.edtSerial, Qt::Key_Return);
    EXPECT_EQ(page.edtSerial->text(), "0012345678");
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_EQ(TestRegister().State().Serial, "0012345678");
    EXPECT_EQ(TestDialogs().lastMessage(), "Заводской номер успешно введен!\r\nПерезагрузите устройство");
    EXPECT_FALSE(Connected());
}

TEST_F(ServiceStepsTest, EnterInTheSerialEditOnlyTakesTheNumberOut)
{
    // In an active window, where the window's Enter shortcut would press "Далее >".
    TestRegister().State().Serial = QStringLiteral("0000000000000000");
    auto& page = Show<TfmEnterSerial>();
    FForm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(FForm.get()));
    page.edtSerial->setFocus();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        page.edtSerial->setText("ККТ;5;0012345678;x");
        page.edtSerial->setCursorPosition(2);
        QTest::keyClick(page.edtSerial, key);
        EXPECT_EQ(page.edtSerial->text(), "0012345678");
        EXPECT_EQ(page.edtSerial->cursorPosition(), 10);
        EXPECT_FALSE(page.edtSerial->hasSelectedText());
        EXPECT_EQ(Title(), "Введите заводской номер");
        EXPECT_EQ(Current(), &page);
    }
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::SetSerialNumber), 0);
    EXPECT_EQ(TestRegister().State().Serial, "0000000000000000");
    EXPECT_TRUE(TestDialogs().shown().empty());
    // Enter elsewhere still presses "Далее >".
    FForm->btnNext->setFocus();
    QTest::keyClick(FForm->btnNext, Qt::Key_Return);
    EXPECT_EQ(TestRegister().State().Serial, "0012345678");
}

// A scan into the page just shown: the edit has the focus, the scanner's
// text is taken whole, typed key by key or pasted, and Enter keeps its third
// item, which the edit shows whole.
TEST_F(ServiceStepsTest, ScannerTextOnAFreshlyShownPage)
{
    Form();
    FForm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(FForm.get()));
    const QString scanned = "KKT;M5;0000000000077777;x";
    for (bool pasted : {false, true}) {
        SCOPED_TRACE(pasted ? "pasted" : "typed");
        TestRegister().State().Serial = QStringLiteral("0000000000000000");
        auto& page = Show<TfmEnterSerial>();
        ASSERT_EQ(QApplication::focusWidget(), page.edtSerial);
        page.edtSerial->clear();
        if (pasted) {
            QApplication::clipboard()->setText(scanned);
            QTest::keySequence(QApplication::focusWidget(), QKeySequence::Paste);
        } else {
            QTest::keyClicks(QApplication::focusWidget(), scanned);
        }
        EXPECT_EQ(page.edtSerial->text(), scanned);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(page.edtSerial->text(), "0000000000077777");
        EXPECT_EQ(Title(), "Введите заводской номер");
        EXPECT_LE(page.edtSerial->fontMetrics().horizontalAdvance(page.edtSerial->text()) + 16,
                  page.edtSerial->width());
        EXPECT_EQ(Next(), "Выберите тип работы");
        EXPECT_EQ(TestRegister().State().Serial, "0000000000077777");
    }
    // A text that holds no number is not written.
    TestRegister().State().Serial = QStringLiteral("0000000000000000");
    auto& page = Show<TfmEnterSerial>();
    page.edtSerial->setText("KKT;M5");
    EXPECT_EQ(NextMessage(page), "Заводской номер - это не более 20 цифр: \"KKT;M5\"");
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::SetSerialNumber), 2);
}

TEST_F(ServiceStepsTest, SerialSuccessOnlyWhenTheRegisterHasTheNumber)
{
    // Zeros are taken by the register but are no number.
    TestRegister().State().Serial.clear();
    auto& page = Show<TfmEnterSerial>();
    page.edtSerial->setText("0000");
    EXPECT_EQ(NextMessage(page),
              "Заводской номер не введен: в ККТ по-прежнему нет заводского номера (\"0000\")");
    EXPECT_TRUE(TestDialogs().messages().isEmpty());
    EXPECT_FALSE(WentTo<TfmSelectClientType>());
    EXPECT_FALSE(Connected());
    // A real number then.
    page.edtSerial->setText("12345");
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_EQ(TestRegister().State().Serial, "12345");
    EXPECT_EQ(TestDialogs().lastMessage(), "Заводской номер успешно введен!\r\nПерезагрузите устройство");
}

TEST_F(ServiceStepsTest, SerialAlreadyWrittenIsNamedAndKept)
{
    // A number written after the page's first read: the message names it.
    auto& page = Show<TfmEnterSerial>();
    page.edtSerial->setText("0012345678");
    page.WriteSerial();
    ASSERT_EQ(TestDialogs().shown().size(), 1u);
    const auto& box = TestDialogs().shown().back().message;
    EXPECT_EQ(box.text, "Заводской номер уже введен!\r\n" + TestRegister().State().Serial);
    EXPECT_EQ(box.caption, "Внимание");
    EXPECT_EQ(box.icon, Dialogs::Icon::Error);
    EXPECT_EQ(TestRegister().State().Serial, "0000000000012345");
    EXPECT_FALSE(Connected());

    // An empty edit writes nothing and goes on.
    TestRegister().State().Serial.clear();
    Show<TfmEnterSerial>();
    page.edtSerial->clear();
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_TRUE(WentTo<TfmSelectClientType>());
    EXPECT_EQ(TestRegister().CallCount(OrvekMethod::SetSerialNumber), 0);
}

TEST_F(ServiceStepsTest, CloseFNArchive)
{
    auto& cashier = Show<TfmBeforeCloseFN>();
    EXPECT_EQ(NextMessage(cashier), "Введите имя и должность кассира");
    // The register keeps 21 characters of a name.
    cashier.edtCashier->setText("Петров Петр, старший кассир");
    EXPECT_EQ(NextMessage(cashier), "Ошибка 51, Некорректные параметры в команде");
    cashier.edtCashier->setText("Петров, ст. кассир");
    EXPECT_EQ(NextMessage(cashier), "");
    EXPECT_TRUE(WentTo<TfmCloseFN>());
    EXPECT_EQ(TestRegister().Tables().Value(2, 30, 2).toString(), "Петров, ст. кассир");

    auto& page = Show<TfmCloseFN>();
    EXPECT_EQ(page.lblStatus->text(), "Архив ФН успешно закрыт ");
    EXPECT_EQ(TextColor(page.lblStatus), QColor(Qt::black));
    EXPECT_FALSE(FN().FiscalMode());
    EXPECT_EQ(FN().Documents.back().Type, FNDocType::CloseFN);
    EXPECT_FALSE(Connected());
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_TRUE(WentTo<TfmSelectWorkType>());

    // Shown again: the FN is closed already; the error shows on the page, nothing raises.
    const int documents = int(FN().Documents.size());
    Show<TfmCloseFN>();
    EXPECT_EQ(page.lblStatus->text(), "Ошибка при закрытии архива ФН: 2, ФН: Другое состояние ФН");
    EXPECT_EQ(TextColor(page.lblStatus), QColor(Qt::red));
    EXPECT_EQ(int(FN().Documents.size()), documents);
    EXPECT_TRUE(TestDialogs().messages().isEmpty());
    EXPECT_FALSE(Connected());
}

TEST_F(ServiceStepsTest, CalculationStateReport)
{
    auto& page = Show<TfmCalculationStateReport>();
    const int documents = int(FN().Documents.size());
    EXPECT_EQ(NextMessage(page), "");
    EXPECT_EQ(TestDialogs().lastMessage(), "Отчет успешно распечатан");
    EXPECT_TRUE(WentTo<TfmSelectWorkType>());
    EXPECT_EQ(int(FN().Documents.size()), documents + 1);

    TestRegister().Faults().FailNext(OrvekMethod::FNBuildCalculationStateReport, 2);
    EXPECT_TRUE(NextMessage(page).startsWith("Ошибка 2, "));
}
