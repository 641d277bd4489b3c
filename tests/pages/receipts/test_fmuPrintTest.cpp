// The page "Тесты": the port-lock stress test with its statistics, the
// printing speed test and the font test, on a clock the test drives.
#include "pages/receipts/fmuPrintTest.h"
#include "core/support/Format.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterPrinter.h"
#include "platform/Exceptions.h"
#include "tests/PageTestSupport.h"
#include "tests/TestSupport.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <gtest/gtest.h>

using M = OrvekMethod;

namespace {
// The page on a clock that moves by the delays (and Step at each reading);
// OnDelay runs in each delay, where the user could click.
class ClockedPrintTest : public TfmPrintTest {
public:
    std::int64_t Now = 0;
    std::int64_t Step = 0;
    std::vector<int> Delays;
    std::function<void(ClockedPrintTest&)> OnDelay;

protected:
    std::int64_t TickCount() override { return Now += Step; }
    void Delay(int ms) override
    {
        Delays.push_back(ms);
        Now += ms;
        if (OnDelay)
            OnDelay(*this);
    }
};

// The emulated component whose LockPort raises.
class ThrowingLock : public EmulatedOrvek {
public:
    std::int32_t Invoke(std::int32_t dispId) override
    {
        if (dispId == DispId(M::LockPort))
            throw EOleError(QStringLiteral("Порт недоступен"));
        return EmulatedOrvek::Invoke(dispId);
    }
};

class PrintTestPageTest : public PageTest<ClockedPrintTest> {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        ClearPaperAndTrace();
    }
    // Stops the lock test in the delay after `cycles` printing cycles.
    void StopAfterCycles(int cycles)
    {
        Page->OnDelay = [cycles](ClockedPrintTest& page) {
            if (std::count(page.Delays.begin(), page.Delays.end(), 500) >= cycles)
                page.btnStopPrintWithLock->click();
        };
    }
    void StopAfterDelays(std::size_t delays)
    {
        Page->OnDelay = [delays](ClockedPrintTest& page) {
            if (page.Delays.size() >= delays)
                page.btnStopPrintWithLock->click();
        };
    }
    QStringList Statistics() const
    {
        return {Page->lblRepeatCount->text(), Page->lblErrorCount->text(), Page->lblCommandSpeed->text(),
                Page->lblErrorPercent->text(), Page->lblTestTime->text(), Page->lblCommandTime->text()};
    }
    bool AtRest() const
    {
        return Page->btnStartPrintWithLock->isEnabled() && !Page->btnStopPrintWithLock->isEnabled() &&
               !Page->btnStopSpeedPrintTest->isEnabled();
    }
    static QString Percent(double value) { return Format("%.2f", {value}); }
};

QStringList Cycle()
{
    const qint64 pid = QCoreApplication::applicationPid();
    QStringList lines{QString(31, QLatin1Char('-'))};
    for (int i = 1; i <= 10; ++i)
        lines << QStringLiteral("%1: Строка для печати(ID:%2)").arg(i).arg(pid);
    return lines;
}
} // namespace

TEST_F(PrintTestPageTest, LockTestPrintsOneCycleUnderTheLock)
{
    EXPECT_TRUE(AtRest());
    EXPECT_EQ(Statistics(), QStringList(6, QStringLiteral("0")));
    Page->OnDelay = [this](ClockedPrintTest& page) {
        EXPECT_FALSE(page.btnStartPrintWithLock->isEnabled());
        EXPECT_TRUE(page.btnStopPrintWithLock->isEnabled());
        EXPECT_EQ(TestRegister().PortOwner(), nullptr);  // unlocked before the delay
        page.btnStopPrintWithLock->click();
    };
    Page->btnStartPrintWithLock->click();

    EXPECT_EQ(TestRegister().Paper().Texts(), Cycle());
    EXPECT_EQ(Page->Delays, std::vector<int>{500});
    std::vector<M> expected{M::LockPort, M::PrintString, M::WaitForPrinting};
    for (int i = 0; i < 10; ++i)
        expected.insert(expected.end(), {M::PrintString, M::WaitForPrinting});
    expected.insert(expected.end(), {M::FeedDocument, M::CutCheck, M::UnlockPort, M::Disconnect});
    EXPECT_EQ(TestComponent().Trace().Methods(), expected);
    const auto& calls = TestComponent().Trace().Calls();
    EXPECT_EQ(calls[calls.size() - 4].Text(), QStringLiteral("FeedDocument(CutType=True)"));
    EXPECT_EQ(TestRegister().Paper().ItemsOf(PaperKind::Cut).at(0).Param, 1);
    EXPECT_FALSE(Driver().Connected());
    EXPECT_EQ(Statistics(), (QStringList{"1", "0", "2", Percent(0), "0", "500"}));
    EXPECT_TRUE(AtRest());
}

TEST_F(PrintTestPageTest, RefusedLocksAreNoErrors)
{
    // Another driver object holds the port, or LockPort raises (counted as
    // refused, so nothing prints without the lock): ten repeats a second.
    for (bool raises : {false, true}) {
        SCOPED_TRACE(raises ? "LockPort raises" : "port held");
        std::unique_ptr<TOrvek> holder;
        if (raises) {
            FreeDriver();
            SetOrvekFactory([] { return std::make_unique<ThrowingLock>(); });
        } else {
            holder = std::make_unique<TOrvek>();
            ASSERT_EQ(holder->LockPort(), 0);
        }
        Page = std::make_unique<ClockedPrintTest>();
        TestComponent().Trace().Clear();
        StopAfterDelays(30);
        Page->btnStartPrintWithLock->click();
        EXPECT_EQ(Page->Delays, std::vector<int>(30, 100));
        EXPECT_EQ(Statistics(), (QStringList{"30", "0", "10", Percent(0), "3", "100"}));
        EXPECT_EQ(TestRegister().CallCount(M::PrintString), 0);
        EXPECT_TRUE(TestRegister().Paper().Texts().isEmpty());
        EXPECT_TRUE(TestDialogs().shown().empty());
        EXPECT_TRUE(AtRest());
    }
}

TEST_F(PrintTestPageTest, PrintErrorCountsAndStopsTheTestWhenAsked)
{
    // The second numbered line fails: the cycle ends with feed, cut and unlock.
    for (bool stopOnError : {true, false}) {
        SCOPED_TRACE(stopOnError ? "stop on error" : "go on");
        Page = std::make_unique<ClockedPrintTest>();
        Page->chbStopOnError->setChecked(stopOnError);
        TestRegister().Paper().Clear();
        TestRegister().ClearJournal();
        TestRegister().Faults().FailOnCall(M::PrintString, 3, 80);
        StopAfterCycles(2);
        Page->btnStartPrintWithLock->click();
        const QStringList first = Cycle().mid(0, 2);
        if (stopOnError) {
            EXPECT_EQ(TestRegister().Paper().Texts(), first);
            EXPECT_EQ(Statistics(), (QStringList{"1", "1", "2", Percent(100), "0", "500"}));
        } else {
            EXPECT_EQ(TestRegister().Paper().Texts(), first + Cycle());
            EXPECT_EQ(Statistics(), (QStringList{"2", "1", "2", Percent(50), "1", "500"}));
        }
        EXPECT_EQ(TestRegister().CallCount(M::CutCheck), stopOnError ? 1 : 2);
        EXPECT_EQ(TestRegister().CallCount(M::UnlockPort), stopOnError ? 1 : 2);
        EXPECT_EQ(TestRegister().PortOwner(), nullptr);
        EXPECT_TRUE(AtRest());
    }
}

TEST_F(PrintTestPageTest, AnotherHandlerDuringTheLockTestKeepsItsStartDisabled)
{
    bool nested = false;
    Page->OnDelay = [&nested](ClockedPrintTest& page) {
        if (!nested) {
            nested = true;
            page.btnFonts->click();
            EXPECT_FALSE(page.btnStartPrintWithLock->isEnabled());
            EXPECT_TRUE(page.btnStopPrintWithLock->isEnabled());
            EXPECT_FALSE(page.btnStopSpeedPrintTest->isEnabled());
            page.btnStartPrintWithLock->click();  // disabled: no second test
            return;
        }
        page.btnStopPrintWithLock->click();
    };
    Page->btnStartPrintWithLock->click();
    EXPECT_EQ(Page->Delays.size(), 2u);
    EXPECT_EQ(TestRegister().CallCount(M::LockPort), 2);
    EXPECT_EQ(Page->lblRepeatCount->text(), QStringLiteral("2"));
    EXPECT_TRUE(AtRest());
}

TEST_F(PrintTestPageTest, SpeedTestPrintsNumberedLinesInFont1OnTheReceiptRibbon)
{
    Driver().setUseJournalRibbon(true);
    Driver().setFontType(5);
    Page->Step = 250;
    Page->sePrintCount->setValue(3);
    Page->btnStartSpeedPrintTest->click();
    EXPECT_EQ(TestRegister().Paper().Texts(), (QStringList{"Строка  1", "Строка  2", "Строка  3"}));
    for (const PaperItem& item : TestRegister().Paper().Items()) {
        EXPECT_EQ(item.Font, 1);
        EXPECT_TRUE(item.Receipt);
        EXPECT_FALSE(item.Journal);
    }
    EXPECT_EQ(Page->lblPrintSpeed->text(), Format("%.3f", {4.0}));
    EXPECT_TRUE(AtRest());

    // None to print: the properties are set all the same.
    Driver().setUseJournalRibbon(true);
    Driver().setFontType(5);
    TestRegister().Paper().Clear();
    Page->sePrintCount->setValue(0);
    Page->btnStartSpeedPrintTest->click();
    EXPECT_TRUE(TestRegister().Paper().Items().empty());
    EXPECT_EQ(Driver().FontType(), 1);
    EXPECT_FALSE(Driver().UseJournalRibbon());
    EXPECT_EQ(Page->lblPrintSpeed->text(), QString());
}

TEST_F(PrintTestPageTest, SpeedTestEndsAtAFailure)
{
    Page->sePrintCount->setValue(100);
    TestRegister().Faults().FailOnCall(M::PrintString, 4, 80);
    Page->btnStartSpeedPrintTest->click();
    EXPECT_EQ(TestRegister().Paper().Texts().size(), 3);
    EXPECT_EQ(Driver().ResultCode(), 80);
}

TEST_F(PrintTestPageTest, FontTestPrintsEachFontAsWideAsItGoes)
{
    RegisterPrinter& printer = TestRegister().Area<RegisterPrinter>();
    printer.Fonts[2].CharWidth = 0;  // font 3: 40 characters
    Page->btnFontsClick();
    const QString sample = QStringLiteral("0123456789").repeated(11);
    QStringList expected;
    for (int font = 1; font <= int(printer.Fonts.size()); ++font) {
        const int width = font == 3 ? 40 : printer.PrintWidth / printer.Fonts[std::size_t(font - 1)].CharWidth;
        expected << QStringLiteral("Шрифт %1").arg(font) << sample.left(width);
    }
    EXPECT_EQ(TestRegister().Paper().Texts(), expected);
    EXPECT_EQ(TestRegister().Paper().Items()[1].Font, 1);
    EXPECT_EQ(TestRegister().Paper().Items()[5].Font, 3);

    // A failing GetFontMetrics ends it: here the one of font 2.
    TestRegister().Paper().Clear();
    TestRegister().Faults().FailOnCall(M::GetFontMetrics, 3, 80);
    Page->btnFonts->click();
    EXPECT_EQ(TestRegister().Paper().Texts(), expected.mid(0, 2));
    EXPECT_EQ(Driver().ResultCode(), 80);
}

TEST_F(PrintTestPageTest, ClosingThePageStopsTheLockTest)
{
    Page->show();
    Page->OnDelay = [](ClockedPrintTest& page) { page.close(); };
    Page->btnStartPrintWithLock->click();
    EXPECT_EQ(Page->Delays.size(), 1u);
    EXPECT_EQ(Page->lblRepeatCount->text(), QStringLiteral("1"));
    EXPECT_TRUE(AtRest());
}
