#include "pages/receipts/fmuPrintTest.h"

#include "core/driver/untDriver.h"
#include "core/settings/ResStrings.h"
#include "core/support/Format.h"
#include "platform/Exceptions.h"
#include "platform/ui/FormBuilder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QThread>
#include <algorithm>

namespace {
// The 110 digits of the font test.
QString FontSample()
{
    return QStringLiteral("0123456789").repeated(11);
}

constexpr int RefusedLockDelay = 100;
constexpr int UnlockDelay = 500;
constexpr int SamplePrintWidth = 40;  // characters of a font whose width is unknown
} // namespace

TfmPrintTest::TfmPrintTest(QWidget* owner) : TPage(owner, "fmPrintTest", PageCaption)
{
    FClock.start();
    using T = TfmPrintTest;
    TFormBuilder<TfmPrintTest> page(this, nullptr, true);

    auto lock = page.Section();
    lock.Label("lblLockTest", "Печать с блокировкой");
    lock.Check(NAMED(chbStopOnError), "Остановка при ошибке", false);
    const auto statistic = [&lock](TNamed<QLabel> label, const char* caption) {
        lock.Row(caption, label.Set(NewLabel(lock.Container(), QStringLiteral("0"), label.Name)));
    };
    statistic(NAMED(lblRepeatCount), "Количество повторов:");
    statistic(NAMED(lblErrorCount), "Количество ошибок:");
    statistic(NAMED(lblCommandSpeed), "Скорость, команд/c:");
    statistic(NAMED(lblErrorPercent), "Процент ошибок:");
    statistic(NAMED(lblTestTime), "Время теста, секунд:");
    statistic(NAMED(lblCommandTime), "Время команды, мс.:");
    lock.Buttons(2, {
        {NAMED(btnStartPrintWithLock), "Начать", &T::btnStartPrintWithLockClick, "LockPort", TRun::Plain},
        {NAMED(btnStopPrintWithLock), "Прервать", &T::btnStopClick, {}, TRun::Stop},
    });

    auto speed = page.Section();
    speed.Spin(NAMED(sePrintCount), "Количество строк:", 0, 99999, 1, "StringForPrinting");
    speed.Row("Скорость печати, строк/сек:", lblPrintSpeed = NewLabel(this, {}, "lblPrintSpeed"));
    speed.Buttons(3, {
        {NAMED(btnStartSpeedPrintTest), "Тест скорости печати", &T::btnStartSpeedPrintTestClick, "PrintString"},
        {NAMED(btnStopSpeedPrintTest), "Прервать", &T::btnStopClick, {}, TRun::Stop},
        {NAMED(btnFonts), "Тест печати шрифтов", &T::btnFontsClick, "GetFontMetrics"},
    });
    page.Space();
}

void TfmPrintTest::EnableButtons(bool Value)
{
    TPage::EnableButtons(Value);
    if (!Value)
        return;
    btnStartPrintWithLock->setEnabled(!FLockTestRunning);
    btnStopPrintWithLock->setEnabled(FLockTestRunning);
}

std::int64_t TfmPrintTest::TickCount()
{
    return FClock.elapsed();
}

void TfmPrintTest::Delay(int ms)
{
    QPointer<TfmPrintTest> alive(this);
    const QDeadlineTimer deadline(ms);
    while (alive && !FStopFlag && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, int(deadline.remainingTime()));
        QThread::msleep(std::clamp<qint64>(deadline.remainingTime(), 0, 5));
    }
}

void TfmPrintTest::hideEvent(QHideEvent* event)
{
    if (!window()->isVisible())
        FStopFlag = true;
    TPage::hideEvent(event);
}

void TfmPrintTest::btnStopClick()
{
    FStopFlag = true;
}

// Lock the port; print a separator and ten numbered lines, feed and cut;
// unlock and give the port to others for a while.
std::int32_t TfmPrintTest::PrintWithLock()
{
    std::int32_t result = 0;
    try {
        result = Driver().LockPort();
    } catch (const Exception&) {
        // A lock that failed is a refused lock: printing without it would spoil the test.
        result = -1;
    }
    if (result != 0) {
        Delay(RefusedLockDelay);
        return 0;
    }
    const qint64 pid = QCoreApplication::applicationPid();
    try {
        Driver().setStringForPrinting(QString(31, QLatin1Char('-')));
        Driver().PrintString();
        Driver().WaitForPrinting();
        for (int i = 1; i <= 10; ++i) {
            Driver().setStringForPrinting(Format(GetRes("%d: Строка для печати(ID:%d)"), {i, pid}));
            result = Driver().PrintString();
            Driver().WaitForPrinting();
            if (result != 0)
                break;
        }
        Driver().setCutType(true);
        Driver().FeedDocument();
        Driver().CutCheck();
    } catch (...) {
        Driver().UnlockPort();
        Delay(UnlockDelay);
        throw;
    }
    Driver().UnlockPort();
    Delay(UnlockDelay);
    return result;
}

void TfmPrintTest::ShowStatistics(int repeats, int errors, std::int64_t elapsed)
{
    lblRepeatCount->setText(QString::number(repeats));
    lblErrorCount->setText(QString::number(errors));
    lblCommandSpeed->setText(QString::number(repeats * 1000 / elapsed));
    lblErrorPercent->setText(Format("%.2f", {errors * 100.0 / repeats}));
    lblTestTime->setText(QString::number(elapsed / 1000));
    lblCommandTime->setText(QString::number(elapsed / repeats));
}

// Not framed: the result panel is left alone; the test toggles its own buttons.
void TfmPrintTest::btnStartPrintWithLockClick()
{
    TDriverJob job;   // events run between the driver calls
    QPointer<TfmPrintTest> alive(this);
    FStopFlag = false;
    FLockTestRunning = true;
    btnStopPrintWithLock->setEnabled(true);
    btnStartPrintWithLock->setEnabled(false);
    const auto end = qScopeGuard([this, &alive] {
        RunGuarded([] { Driver().Disconnect(); });
        if (!alive)
            return;
        FLockTestRunning = false;
        btnStopPrintWithLock->setEnabled(false);
        btnStartPrintWithLock->setEnabled(true);
    });
    int repeats = 0;
    int errors = 0;
    const std::int64_t start = TickCount();
    while (alive && !FStopFlag) {
        ++repeats;
        const std::int32_t result = PrintWithLock();
        if (!alive)
            return;
        if (result != 0)
            ++errors;
        if (const std::int64_t elapsed = TickCount() - start; elapsed != 0) {
            ShowStatistics(repeats, errors, elapsed);
            QCoreApplication::processEvents();
        }
        if (alive && result != 0 && chbStopOnError->isChecked())
            break;
    }
}

void TfmPrintTest::btnStartSpeedPrintTestClick()
{
    TDriverJob job;   // events run between the driver calls
    QPointer<TfmPrintTest> alive(this);
    btnStopSpeedPrintTest->setEnabled(true);
    FStopFlag = false;
    lblPrintSpeed->clear();
    QCoreApplication::processEvents();
    if (!alive)
        return;

    const int count = sePrintCount->value();
    const std::int64_t start = TickCount();
    Driver().setFontType(1);
    Driver().setUseReceiptRibbon(true);
    Driver().setUseJournalRibbon(false);
    double speed = 0;
    for (int i = 1; i <= count && !FStopFlag; ++i) {
        Driver().setStringForPrinting(Format("%s %d", {GetRes("Строка "), i}));
        if (Driver().PrintString() != 0)
            break;
        if (const std::int64_t elapsed = TickCount() - start; elapsed > 0)
            speed = i * 1000.0 / double(elapsed);
        lblPrintSpeed->setText(Format("%.3f", {speed}));
        QCoreApplication::processEvents();
        if (!alive)
            return;
    }
}

// A caption and a line as wide as the font allows in every font, until one fails.
void TfmPrintTest::btnFontsClick()
{
    Driver().setUseReceiptRibbon(true);
    Driver().setUseJournalRibbon(false);
    const QString sample = FontSample();
    Driver().setFontType(1);
    if (Driver().GetFontMetrics() != 0)
        return;
    const int count = Driver().FontCount();
    for (int font = 1; font <= count; ++font) {
        Driver().setFontType(font);
        if (Driver().GetFontMetrics() != 0)
            return;
        const int charWidth = Driver().CharWidth();
        const int width = charWidth > 0 ? Driver().PrintWidth() / charWidth : SamplePrintWidth;
        Driver().setStringForPrinting(Format("%s %d", {GetRes("Шрифт"), font}));
        if (Driver().PrintStringWithFont() != 0)
            return;
        Driver().setStringForPrinting(sample.left(width));
        if (Driver().PrintStringWithFont() != 0)
            return;
    }
}
