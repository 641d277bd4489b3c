// The pages "Проверка связи", "Тест", "Команда" and "Кодировки".
#include "pages/service/fmuCommand.h"
#include "pages/service/fmuConnectionTest.h"
#include "pages/service/fmuTest.h"
#include "pages/service/fmuTestEncoding.h"

#include "core/support/CodePage.h"
#include "core/support/Format.h"
#include "core/support/NotifyThread.h"
#include "emulator/OrvekResultCodes.h"
#include "platform/Exceptions.h"
#include "tests/DriverTestSupport.h"
#include "tests/pages/service/WorkerTestSupport.h"
#include "tests/TestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

using M = OrvekMethod;
using P = OrvekProp;

namespace {
class DiagnosticsPageTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        SetDecimalSeparator(QLatin1Char('.'));
        ASSERT_EQ(Driver().Connect(), 0);
        TestRegister().Paper().Clear();
        TestRegister().ClearJournal();
        TestComponent().Trace().Clear();
    }
    void TearDown() override
    {
        TestRegister().OnCall = nullptr;
        DriverTest::TearDown();
    }
    int Calls(M method) { return TestRegister().CallCount(method); }
    static void Finish(TNotifyThread* thread)
    {
        ASSERT_NE(thread, nullptr);
        thread->WaitFor();
    }
};

QString Description(int code)
{
    return OrvekResultDescription(code);
}
} // namespace

// --- "Проверка связи"

TEST(LinkTestLabelsTest, CountsSpeedRateAndTimes)
{
    SetDecimalSeparator(QLatin1Char('.'));
    struct Case {
        std::int64_t Rep, Err;
        std::uint32_t Ms;
        TLinkTestLabels Want;
    } cases[] = {
        {3, 1, 1000, {"3", "1", "3", "33.33", "1", "333"}},
        {0, 0, 0, {"0", "0", "0", "0.00", "0", "0"}},
        {5, 5, 0, {"5", "5", "0", "100.00", "0", "0"}},
        // Past 2^31 cycles nothing wraps.
        {3'000'000'000LL, 1, 4'000'000'000u, {"3000000000", "1", "750", "0.00", "4000000", "1"}},
    };
    for (const Case& c : cases) {
        const TLinkTestLabels l = LinkTestLabels(c.Rep, c.Err, c.Ms);
        EXPECT_EQ(QStringList({l.RepCount, l.ErrCount, l.TxSpeed, l.ErrRate, l.TimeLeft, l.CommandTime}),
                  QStringList({c.Want.RepCount, c.Want.ErrCount, c.Want.TxSpeed, c.Want.ErrRate, c.Want.TimeLeft,
                               c.Want.CommandTime}))
            << c.Rep;
    }
}

TEST_F(DiagnosticsPageTest, LinkTestAsksTheStatusTheBoxesChoose)
{
    struct Case {
        bool CheckFM, Short;
        M Method;
        int StatusCommand;
    } cases[] = {
        {false, false, M::GetDeviceMetrics, 2},
        {false, true, M::GetShortECRStatus, 1},
        {true, false, M::FNGetStatus, 2},
        {true, true, M::FNGetStatus, 1},
    };
    for (const Case& c : cases) {
        TfmConnectionTest page;
        TestRegister().ClearJournal();
        page.chkCheckFM->setChecked(c.CheckFM);
        page.chkUseShortStatus->setChecked(c.Short);
        page.chbStopOnError->setChecked(true);
        // The third request fails and ends the test.
        TestRegister().Faults().FailOnCall(c.Method, 3, OrvekResult::PrinterBusy);
        page.btnStart->click();
        EXPECT_FALSE(page.btnStart->isEnabled());
        EXPECT_FALSE(page.chkCheckFM->isEnabled());
        EXPECT_TRUE(page.chkUseShortStatus->isEnabled());
        EXPECT_TRUE(page.btnStop->isEnabled());
        Finish(page.Thread());
        EXPECT_EQ(Calls(c.Method), 3);
        EXPECT_EQ(Calls(M::FNGetStatus) + Calls(M::GetShortECRStatus) + Calls(M::GetDeviceMetrics), 3);
        EXPECT_EQ(Driver().StatusCommand(), c.StatusCommand);
        EXPECT_EQ(Driver().CheckFMConnection(), c.CheckFM);
        // The labels show the end, the connection is closed, the page is idle.
        EXPECT_EQ(page.lblRepCount->text(), QStringLiteral("3"));
        EXPECT_EQ(page.lblErrCount->text(), QStringLiteral("1"));
        EXPECT_EQ(page.lblErrRate->text(), QStringLiteral("33.33"));
        EXPECT_EQ(TestComponent().ConnectedRegister(), nullptr);
        EXPECT_TRUE(page.btnStart->isEnabled());
        EXPECT_TRUE(page.chkCheckFM->isEnabled());
        EXPECT_FALSE(page.btnStop->isEnabled());
    }
}

TEST_F(DiagnosticsPageTest, LinkTestFailingFirstCycleStopsAtOnce)
{
    TfmConnectionTest page;
    page.chbStopOnError->setChecked(true);
    TestRegister().Faults().FailNext(M::GetDeviceMetrics, OrvekResult::NoLink);
    page.btnStart->click();
    Finish(page.Thread());
    EXPECT_EQ(page.lblRepCount->text(), QStringLiteral("1"));
    EXPECT_EQ(page.lblErrCount->text(), QStringLiteral("1"));
    EXPECT_EQ(page.lblErrRate->text(), QStringLiteral("100.00"));
}

TEST_F(DiagnosticsPageTest, LinkTestRunsOnErrorsUntilStopped)
{
    TfmConnectionTest page;
    TestRegister().Faults().FailNext(M::GetDeviceMetrics, OrvekResult::PrinterBusy, 2);
    TfmConnectionTest* p = &page;
    AtCall(M::GetDeviceMetrics, 5, [p] { p->btnStop->click(); });
    page.btnStart->click();
    Finish(page.Thread());
    EXPECT_EQ(page.lblRepCount->text(), QStringLiteral("5"));
    EXPECT_EQ(page.lblErrCount->text(), QStringLiteral("2"));
    EXPECT_EQ(page.lblErrRate->text(), QStringLiteral("40.00"));

    // A new start counts afresh.
    TestRegister().OnCall = nullptr;
    page.chbStopOnError->setChecked(true);
    TestRegister().Faults().FailOnCall(M::GetDeviceMetrics, 2, OrvekResult::PrinterBusy);
    page.btnStart->click();
    Finish(page.Thread());
    EXPECT_EQ(page.lblRepCount->text(), QStringLiteral("2"));
    EXPECT_EQ(page.lblErrCount->text(), QStringLiteral("1"));
}

TEST_F(DiagnosticsPageTest, DestroyingTheLinkTestPageEndsItsWorker)
{
    auto page = std::make_unique<TfmConnectionTest>();
    page->btnStart->click();
    page.reset();
    EXPECT_GE(Calls(M::GetDeviceMetrics), 0);
    EXPECT_EQ(TestComponent().ConnectedRegister(), nullptr);
}

TEST_F(DiagnosticsPageTest, PrintTimingPrintsHundredLinesAndCutsAndKeepsAFailureVisible)
{
    TfmConnectionTest page;
    page.btnTestConnect->click();
    const QStringList lines = TestRegister().Paper().Texts();
    EXPECT_EQ(lines.size(), 100);
    EXPECT_EQ(lines.value(0), QStringLiteral("Строка для печати"));
    EXPECT_EQ(TestRegister().Paper().ItemsOf(PaperKind::Cut).size(), 1u);
    bool ok = false;
    page.edtTime->text().toUInt(&ok);
    EXPECT_TRUE(ok) << page.edtTime->text().toStdString();
    EXPECT_EQ(TestDialogs().messages(), QStringList{});

    TestRegister().Paper().Clear();
    page.edtTime->clear();
    TestRegister().Faults().FailOnCall(M::PrintString, 5, OrvekResult::NoPaper);
    page.btnTestConnect->click();
    EXPECT_EQ(TestRegister().Paper().Texts().size(), 4);
    EXPECT_EQ(TestRegister().Paper().ItemsOf(PaperKind::Cut).size(), 1u);
    EXPECT_FALSE(page.edtTime->text().isEmpty());
    EXPECT_EQ(TestDialogs().lastMessage(), QStringLiteral("Ошибка 107: ") + Description(107));
    EXPECT_TRUE(page.btnTestConnect->isEnabled());
    EXPECT_EQ(page.btnTestConnect->text(), QStringLiteral("Тест соединения"));
}

// --- "Тест"

TEST_F(DiagnosticsPageTest, StressTestStopsOnTheFirstFailedLine)
{
    TfmTest page;
    page.chkStopOnError->setChecked(true);
    TestRegister().Faults().FailNext(M::PrintString, OrvekResult::PrinterBusy);
    page.btnStart->click();
    Finish(page.Thread());
    EXPECT_EQ(page.lblError->text(), QStringLiteral("Ошибка: 80, ") + Description(80));
    EXPECT_EQ(page.lblRepCount->text(), QStringLiteral("1"));
    EXPECT_EQ(page.lblErrorCount->text(), QStringLiteral("1"));
    EXPECT_EQ(Calls(M::PrintString), 1);
    EXPECT_EQ(Calls(M::OpenCheck), 0);
    EXPECT_EQ(TestComponent().ConnectedRegister(), nullptr);
    EXPECT_TRUE(page.btnStart->isEnabled());
    EXPECT_FALSE(page.btnStop->isEnabled());
}

TEST_F(DiagnosticsPageTest, StressTestRunsItsCyclesOrUntilStopped)
{
    TfmTest page;
    page.edtCount->setText(QStringLiteral("2"));
    page.btnStart->click();
    Finish(page.Thread());
    EXPECT_EQ(page.lblRepCount->text(), QStringLiteral("2"));
    EXPECT_EQ(page.lblErrorCount->text(), QStringLiteral("0"));
    EXPECT_EQ(page.lblError->text(), QString());
    EXPECT_EQ(Calls(M::PrintString), 20);
    EXPECT_EQ(Calls(M::CutCheck), 2);
    EXPECT_EQ(Calls(M::GetCashReg), 32);
    EXPECT_EQ(Calls(M::OpenCheck), 2);
    EXPECT_EQ(Calls(M::CancelCheck), 2);
    // The first cycle's lines, before its receipt opened the session.
    for (const QString& line : TestRegister().Paper().Texts().mid(0, 10)) {
        ASSERT_LT(line.size(), 40);
        for (QChar ch : line)
            ASSERT_TRUE(ch >= QChar(0xC0) && ch <= QChar(0xD3)) << line.toStdString();
    }

    // 0 never matches the cycle count: the test runs until "Прервать".
    TestRegister().ClearJournal();
    page.edtCount->setText(QStringLiteral("0"));
    TfmTest* p = &page;
    AtCall(M::CancelCheck, 3, [p] { p->btnStop->click(); });
    page.btnStart->click();
    Finish(page.Thread());
    EXPECT_EQ(page.lblRepCount->text(), QStringLiteral("3"));
    EXPECT_EQ(Calls(M::CancelCheck), 3);
    EXPECT_NE(TestRegister().State().Mode, 8);
}

TEST_F(DiagnosticsPageTest, StressTestStoppedWhilePrintingLeavesNoReceiptOpen)
{
    TfmTest page;
    TfmTest* p = &page;
    AtCall(M::PrintString, 2, [p] { p->btnStop->click(); });
    page.btnStart->click();
    Finish(page.Thread());
    EXPECT_EQ(Calls(M::PrintString), 2);
    EXPECT_EQ(Calls(M::CutCheck), 1);
    EXPECT_EQ(Calls(M::GetCashReg), 0);
    EXPECT_EQ(Calls(M::OpenCheck), 0);
    EXPECT_NE(TestRegister().State().Mode, 8);
    EXPECT_EQ(page.lblRepCount->text(), QStringLiteral("1"));

    // Stopped after the receipt opened: it is cancelled all the same.
    TestRegister().ClearJournal();
    AtCall(M::OpenCheck, 1, [p] { p->btnStop->click(); });
    page.btnStart->click();
    Finish(page.Thread());
    EXPECT_EQ(Calls(M::OpenCheck), 1);
    EXPECT_EQ(Calls(M::CancelCheck), 1);
    EXPECT_NE(TestRegister().State().Mode, 8);
}

TEST_F(DiagnosticsPageTest, StressCountThatIsNoIntegerStartsNothing)
{
    TfmTest page;
    for (const char* text : {"", "abc", "1.5", "99999999999"}) {
        TestDialogs().clear();
        page.edtCount->setText(QString::fromLatin1(text));
        page.btnStart->click();
        EXPECT_EQ(page.Thread(), nullptr) << text;
        EXPECT_EQ(TestDialogs().messages().size(), 1) << text;
        EXPECT_TRUE(page.btnStart->isEnabled()) << text;
    }
    EXPECT_EQ(TestRegister().Journal(), std::vector<M>{});
}

// --- "Команда"

TEST_F(DiagnosticsPageTest, CommandSendsHexAndShowsTheAnswer)
{
    TfmCommand page;
    EXPECT_EQ(page.edtTxData->text(), QStringLiteral("13 1E 2D 3C 4B"));
    page.btnSend->click();
    EXPECT_EQ(Driver().BinaryConversion(), 1);
    EXPECT_TRUE(page.edtRxData->text().startsWith(QStringLiteral("13 00"))) << page.edtRxData->text().toStdString();
    EXPECT_EQ(page.edtRxData->text(), Driver().TransferBytes());

    page.edtTxData->setText(QStringLiteral("f7"));
    page.btnSend->click();
    EXPECT_EQ(page.edtRxData->text(), QStringLiteral("F7 37"));
    EXPECT_EQ(Driver().ResultCode(), 55);

    // Hex as the driver reads it: run-together pairs and single digits are bytes.
    page.edtTxData->setText(QStringLiteral("131E2D3C4b"));
    page.btnSend->click();
    EXPECT_TRUE(page.edtRxData->text().startsWith(QStringLiteral("13 00"))) << page.edtRxData->text().toStdString();

    for (const char* bad : {"1G", "13 GG", "", "13,1E"}) {
        TestRegister().ClearJournal();
        TestDialogs().clear();
        page.edtRxData->setText(QStringLiteral("old"));
        page.edtTxData->setText(QString::fromLatin1(bad));
        page.btnSend->click();
        EXPECT_EQ(TestRegister().Journal(), std::vector<M>{}) << bad;
        EXPECT_EQ(TestDialogs().messages().size(), 1) << bad;
        EXPECT_EQ(page.edtRxData->text(), QStringLiteral("old")) << bad;
        EXPECT_TRUE(page.btnSend->isEnabled()) << bad;
    }
}

TEST_F(DiagnosticsPageTest, ProbeListsTheCodesAnswered55AndNeverSends16)
{
    TfmCommand page;
    page.btnSupportedCommands->click();
    const QStringList lines = page.memOut->toPlainText().split(QLatin1Char('\n'));
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines[0], QStringLiteral("Неподдерживаемые команды"));
    EXPECT_FALSE(lines.contains(QStringLiteral("13")));
    EXPECT_FALSE(lines.contains(QStringLiteral("FC")));
    EXPECT_TRUE(lines.contains(QStringLiteral("F7")));
    EXPECT_TRUE(lines.contains(QStringLiteral("00")));
    EXPECT_FALSE(lines.contains(QStringLiteral("16")));
    EXPECT_EQ(Calls(M::ExchangeBytes), 255);
    for (const OrvekTracedCall& call : TestComponent().Trace().Calls()) {
        for (const auto& [prop, value] : call.Written) {
            if (prop == P::TransferBytes) {
                ASSERT_NE(value.toString(), QStringLiteral("16"));
            }
        }
    }
    EXPECT_EQ(page.btnSupportedCommands->text(), QStringLiteral("Список неподдерживаемых команд"));
    EXPECT_TRUE(page.btnSend->isEnabled());

    struct Case {
        std::function<void()> Faults;
        QStringList Memo;
        int Exchanges;
    } cases[] = {
        // Every code answered 0: the title alone.
        {[] { TestRegister().Faults().FailNext(M::ExchangeBytes, 0, 255); }, {"Неподдерживаемые команды"}, 255},
        // A negative result ends the probe.
        {[] {
             TestRegister().Faults().FailNext(M::ExchangeBytes, 0, 2);
             TestRegister().Faults().FailOnCall(M::ExchangeBytes, 3, OrvekResult::NoLink);
         },
         {"Неподдерживаемые команды", "Error: FFFFFFFF"}, 3},
    };
    for (const Case& c : cases) {
        TestRegister().ClearJournal();
        c.Faults();
        page.btnSupportedCommands->click();
        EXPECT_EQ(page.memOut->toPlainText().split(QLatin1Char('\n')), c.Memo);
        EXPECT_EQ(Calls(M::ExchangeBytes), c.Exchanges);
        TestRegister().Faults().Clear();
    }
}

TEST_F(DiagnosticsPageTest, ProbeStopsOnASecondClick)
{
    TfmCommand page;
    TfmCommand* p = &page;
    AtCall(M::ExchangeBytes, 10, [p] {
        EXPECT_EQ(p->btnSupportedCommands->text(), QStringLiteral("Прервать"));
        EXPECT_TRUE(p->btnSupportedCommands->isEnabled());
        EXPECT_FALSE(p->btnSend->isEnabled());
        p->btnSupportedCommands->click();
    });
    page.btnSupportedCommands->click();
    EXPECT_EQ(Calls(M::ExchangeBytes), 10);
    EXPECT_TRUE(page.btnSend->isEnabled());
}

TEST_F(DiagnosticsPageTest, PingShowsResultAndTime)
{
    TfmCommand page;
    page.edtURL->setText(QStringLiteral("127.0.0.1"));
    page.TntBitBtn1->click();
    EXPECT_EQ(page.edtPingResult->text(), QStringLiteral("0"));
    EXPECT_EQ(page.edtPingTime->text(), QString::number(std::uint32_t(Driver().PingTime())));
    page.edtURL->setText(QStringLiteral("10.20.30.40"));
    page.TntBitBtn1->click();
    EXPECT_EQ(page.edtPingResult->text(), QStringLiteral("1"));
    EXPECT_EQ(page.edtPingTime->text(), QStringLiteral("4000"));
    // A failed ping leaves the boxes.
    page.edtURL->clear();
    page.TntBitBtn1->click();
    EXPECT_EQ(Driver().ResultCode(), OrvekResult::BadParameter);
    EXPECT_EQ(page.edtPingResult->text(), QStringLiteral("1"));
}

// --- "Кодировки"

TEST(EncodingFillersTest, LinesOfTheThreeFillers)
{
    const QStringList codes = CodePageLines();
    ASSERT_EQ(codes.size(), 16);
    EXPECT_EQ(codes[15], QStringLiteral("0xF0 ðñòóôõö÷øùúûüýþÿ"));
    EXPECT_EQ(codes[2], QStringLiteral("0x20  !\"#$%&'()*+,-./"));
    const QStringList ecr = EcrCodePageLines();
    ASSERT_EQ(ecr.size(), 32);
    EXPECT_EQ(ecr[0], QStringLiteral("0x00 &#0;&#1;&#2;&#3;&#4;&#5;&#6;&#7;"));
    EXPECT_EQ(ecr[31], QStringLiteral("0xF8 &#248;&#249;&#250;&#251;&#252;&#253;&#254;&#255;"));
    const QStringList armenian = ArmenianLines();
    ASSERT_EQ(armenian.size(), 12);
    EXPECT_EQ(armenian[1], QStringLiteral("0x0538: ԸԹԺԻԼԽԾԿ"));
    EXPECT_EQ(armenian[11].left(8), QStringLiteral("0x0588: "));
    struct Case {
        const char* Text;
        QStringList Lines;
    } memos[] = {{"", {}}, {"a", {"a"}}, {"a\n", {"a"}}, {"a\n\nb", {"a", "", "b"}}, {"\n", {""}}};
    for (const auto& m : memos)
        EXPECT_EQ(MemoLines(QString::fromLatin1(m.Text)), m.Lines) << m.Text;
}

TEST_F(DiagnosticsPageTest, EncodingPrintsACopyOfTheMemoInTheChosenFont)
{
    TfmTestEncoding page;
    page.Memo->setPlainText(QStringLiteral("a\nb&#192;\nc"));
    EXPECT_EQ(page.lblStrCount->text(), QStringLiteral("3"));
    page.seFontType->setValue(2);
    TfmTestEncoding* p = &page;
    // Editing the memo while it prints changes nothing printed.
    AtCall(M::PrintStringWithFont, 1, [p] {
        EXPECT_TRUE(p->btnStop->isEnabled());
        EXPECT_FALSE(p->btnPrint->isEnabled());
        p->Memo->setPlainText(QStringLiteral("x"));
    });
    page.btnPrint->click();
    EXPECT_EQ(TestRegister().Paper().Texts(), (QStringList{"a", "bА", "c"}));
    for (const PaperItem& item : TestRegister().Paper().Items())
        EXPECT_EQ(item.Font, 2);
    EXPECT_TRUE(Driver().UseSlipDocument());
    EXPECT_FALSE(Driver().UseSlipCheck());
    EXPECT_FALSE(page.btnStop->isEnabled());
    EXPECT_TRUE(page.btnPrint->isEnabled());

    struct Case {
        std::function<void()> Arrange;
        int Printed;
    } cases[] = {
        {[] { TestRegister().Faults().FailOnCall(M::PrintStringWithFont, 2, OrvekResult::NoPaper); }, 1},
        {[] { TestRegister().OnCall = nullptr; }, 5},
    };
    page.Memo->setPlainText(QStringLiteral("1\n2\n3\n4\n5"));
    for (const Case& c : cases) {
        TestRegister().Paper().Clear();
        c.Arrange();
        page.btnPrint->click();
        EXPECT_EQ(TestRegister().Paper().Texts().size(), c.Printed);
        EXPECT_FALSE(page.btnStop->isEnabled());
    }
    AtCall(M::PrintStringWithFont, 2, [p] { p->btnStop->click(); });
    TestRegister().Paper().Clear();
    page.btnPrint->click();
    EXPECT_EQ(TestRegister().Paper().Texts(), (QStringList{"1", "2"}));
}

TEST_F(DiagnosticsPageTest, EncodingFillsLoadsAndSaves)
{
    TfmTestEncoding page;
    page.edtFontCodepage->click();
    EXPECT_EQ(MemoLines(page.Memo->toPlainText()).last(), QStringLiteral("0xF0 ðñòóôõö÷øùúûüýþÿ"));
    page.edtEcrCodePage->click();
    EXPECT_EQ(page.lblStrCount->text(), QStringLiteral("32"));
    page.btnArmenianText->click();
    EXPECT_EQ(MemoLines(page.Memo->toPlainText()), ArmenianLines());
    EXPECT_EQ(page.lblStrCount->text(), QStringLiteral("12"));

    page.Memo->setPlainText(QStringLiteral("Привет\nмир"));
    const QString file = TestTempDir() + QStringLiteral("/memo.txt");
    TestDialogs().answerFile(file);
    page.btnSave->click();
    EXPECT_EQ(FileBytes(file), WideToAnsi(QStringLiteral("Привет\r\nмир\r\n")));

    const QString utf8 = WriteTestFile(QStringLiteral("utf8.txt"), "\xEF\xBB\xBF" + QStringLiteral("Ա\r\nб").toUtf8());
    TestDialogs().answerFile(utf8);
    page.btnOpen->click();
    EXPECT_EQ(page.Memo->toPlainText(), QStringLiteral("Ա\nб"));
    EXPECT_EQ(page.lblStrCount->text(), QStringLiteral("2"));

    // Typing and pasting stop at 4096 characters; a loaded file is kept whole.
    page.Memo->setPlainText(QString(5000, QLatin1Char('z')));
    EXPECT_EQ(page.Memo->toPlainText().size(), TfmTestEncoding::MaxLength);
    page.Memo->insertPlainText(QStringLiteral("x"));
    EXPECT_TRUE(page.Memo->toPlainText() == QString(TfmTestEncoding::MaxLength, QLatin1Char('z')));
    page.Memo->clear();
    page.Memo->insertPlainText(QStringLiteral("ab\n"));
    page.Memo->insertPlainText(QString(5000, QLatin1Char('y')));
    EXPECT_TRUE(page.Memo->toPlainText() == QStringLiteral("ab\n") + QString(TfmTestEncoding::MaxLength - 3, QLatin1Char('y')));
    const QByteArray longText = QByteArray(3000, 'y') + "\r\n" + QByteArray(3000, 'w');
    TestDialogs().answerFile(WriteTestFile(QStringLiteral("long.txt"), longText));
    page.btnOpen->click();
    EXPECT_TRUE(page.Memo->toPlainText() == QString::fromLatin1(QByteArray(3000, 'y') + "\n" + QByteArray(3000, 'w')));
    EXPECT_EQ(page.lblStrCount->text(), QStringLiteral("2"));
    page.Memo->insertPlainText(QStringLiteral("x"));   // nothing more can be typed
    EXPECT_EQ(page.Memo->toPlainText().size(), 6001);
    TestRegister().Paper().Clear();
    page.btnPrint->click();
    EXPECT_EQ(TestRegister().Paper().Texts().size(), 2);
    EXPECT_TRUE(Driver().StringForPrinting() == QString(3000, QLatin1Char('w')));
}

TEST_F(DiagnosticsPageTest, AWorkersExceptionIsShownAndItsPageGoesIdle)
{
    TfmConnectionTest link;
    TfmTest stress;
    struct Case {
        QPushButton* Start;
        QPushButton* Stop;
        std::function<TNotifyThread*()> Thread;
        M Method;
    } cases[] = {
        {link.btnStart, link.btnStop, [&] { return link.Thread(); }, M::GetDeviceMetrics},
        {stress.btnStart, stress.btnStop, [&] { return stress.Thread(); }, M::CutCheck},
    };
    for (const Case& c : cases) {
        TestDialogs().clear();
        auto count = std::make_shared<int>(0);
        TestRegister().OnCall = [=](M called) {
            if (called == c.Method && ++*count == 2)
                throw Exception(QStringLiteral("Сбой потока"));
        };
        c.Start->click();
        Finish(c.Thread());
        EXPECT_EQ(TestDialogs().messages(), QStringList{QStringLiteral("Сбой потока")});
        EXPECT_TRUE(c.Start->isEnabled());
        EXPECT_FALSE(c.Stop->isEnabled());
        TestRegister().OnCall = nullptr;
    }
}
