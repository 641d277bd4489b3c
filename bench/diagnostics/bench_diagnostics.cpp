// The dump page reading a 16 MiB area through its worker (goal: within 2 s,
// the UI thread never stalled over 50 ms), the hex viewer opening that dump
// (goal: within 300 ms) and its steps: a jump to the end, a page of
// scrolling, a find of 4 bytes near the end (goal: each within 30 ms); the
// link test's requests per second (goal: at least 20,000).
#include "core/driver/untDriver.h"
#include "core/support/NotifyThread.h"
#include "emulator/EmulatedOrvek.h"
#include "emulator/OrvekBench.h"
#include "emulator/RegisterDump.h"
#include "pages/service/fmuConnectionTest.h"
#include "pages/service/fmuDump.h"
#include "pages/service/fmuReadDump.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

namespace {
constexpr int FileSystemImage = 8;  // the 16 MiB area

void Prepare()
{
    InstallEmulatedOrvek();
    FreeDriver();
}

// Runs the event loop until done() (at most a minute); returns the longest
// time the UI thread did not serve a 2 ms ticker.
double LongestStall(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    double gap = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        gap = std::max(gap, double(now - last));
        last = now;
    });
    ticker.start(2);
    QDeadlineTimer deadline(60000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return gap;
}

void BM_ReadDump16MiB(benchmark::State& state)
{
    Prepare();
    double worstGap = 0;
    for (auto _ : state) {
        TfmReadDump page;
        page.Initialize();
        page.show();
        page.cbDeviceCode->setCurrentIndex(page.cbDeviceCode->findData(FileSystemImage));
        page.btnStart->click();
        worstGap = std::max(worstGap, LongestStall([&] { return page.Thread() && page.Thread()->isFinished(); }));
        page.Thread()->WaitFor();
        if (page.DumpCopy().size() != (16 << 20))
            state.SkipWithError("the dump is incomplete");
    }
    state.counters["reading_max_ui_stall_ms"] = worstGap;
}
BENCHMARK(BM_ReadDump16MiB)->Iterations(2)->Unit(benchmark::kMillisecond);

QByteArray BigDump()
{
    QByteArray dump = RegisterDump::MadeContent(FileSystemImage, 0, 16 << 20);
    dump.replace(dump.size() - 100, 4, QByteArray::fromHex("DEADBEEF"));
    return dump;
}

void BM_ViewerOpen(benchmark::State& state)
{
    const QByteArray dump = BigDump();
    for (auto _ : state) {
        TfmDump viewer;
        viewer.SetDump(dump, {});
        viewer.UpdatePage();
        viewer.show();
        viewer.repaint();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_ViewerOpen)->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_ViewerSteps(benchmark::State& state)
{
    const QByteArray dump = BigDump();
    TfmDump viewer;
    viewer.SetDump(dump, {});
    viewer.UpdatePage();
    viewer.show();
    QCoreApplication::processEvents();
    QScrollBar* bar = viewer.Grid->verticalScrollBar();
    double jump = 0, scroll = 0, find = 0;
    const auto timed = [](double& worst, const std::function<void()>& step, QWidget* paint) {
        QElapsedTimer t;
        t.start();
        step();
        paint->repaint();
        QCoreApplication::processEvents();
        worst = std::max(worst, double(t.nsecsElapsed()) / 1e6);
    };
    for (auto _ : state) {
        timed(jump, [&] {
            viewer.edtOffset->setText(QStringLiteral("FFFFF0"));
            viewer.btnGoTo->click();
        }, viewer.Grid->viewport());
        timed(scroll, [&] { bar->setValue(bar->value() - bar->pageStep()); }, viewer.Grid->viewport());
        viewer.edtOffset->setText(QStringLiteral("0"));
        viewer.btnGoTo->click();
        timed(find, [&] {
            viewer.edtFind->setText(QStringLiteral("DE AD BE EF"));
            viewer.btnFind->click();
        }, viewer.Grid->viewport());
        if (viewer.CurrentOffset() != dump.size() - 100)
            state.SkipWithError("the bytes were not found");
    }
    state.counters["jump_ms"] = jump;
    state.counters["scroll_page_ms"] = scroll;
    state.counters["find_ms"] = find;
}
BENCHMARK(BM_ViewerSteps)->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_LinkTestRate(benchmark::State& state)
{
    Prepare();
    double rate = 0;
    for (auto _ : state) {
        TfmConnectionTest page;
        page.btnStart->click();
        QElapsedTimer t;
        t.start();
        LongestStall([&] { return t.elapsed() >= 1000; });
        page.btnStop->click();
        page.Thread()->WaitFor();
        rate = page.lblRepCount->text().toDouble() * 1000 / double(t.elapsed());
        state.counters["errors"] = page.lblErrCount->text().toDouble();
    }
    state.counters["requests_per_s"] = rate;
}
BENCHMARK(BM_LinkTestRate)->Iterations(1)->Unit(benchmark::kMillisecond);
} // namespace
