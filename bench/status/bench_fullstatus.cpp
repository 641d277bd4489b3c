// The full status report against the default emulated register (all its
// tables, 256 cash and 256 operation registers) with the page shown: the
// whole run, the longest gap between two paints of the report while it
// runs (of any widget: once the report has returned to its start, new
// lines change only the scroll bar), and the delay from "Прервать" to the closing line.
#include "bench/PaintWatch.h"
#include "core/driver/untDriver.h"
#include "emulator/EmulatedOrvek.h"
#include "emulator/OrvekBench.h"
#include "pages/service/fmuFullStatus.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {
struct Fixture {
    Fixture()
    {
        InstallEmulatedOrvek();
        Bench().Clear();
        Bench().Add(RegisterConfig{});
        Page.resize(1100, 540);
        Page.show();
        (void)QTest::qWaitForWindowExposed(&Page);
    }
    ~Fixture() { FreeDriver(); }
    TfmFullStatus Page;
};

void BM_FullStatus(benchmark::State& state)
{
    Fixture f;
    PaintWatch paints;
    double longestGap = 0;
    for (auto _ : state) {
        paints.Start();
        f.Page.btnFullEcrStatus->click();
        longestGap = std::max(longestGap, double(paints.Longest()));
    }
    if (!f.Page.Memo->toPlainText().endsWith(QString(52, QLatin1Char('-'))))
        state.SkipWithError("the report did not end complete");
    state.counters["longest_paint_gap_ms"] = longestGap;
}

void BM_FullStatusInterrupt(benchmark::State& state)
{
    Fixture f;
    double longestDelay = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        QTimer timer;
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (!f.Page.Memo->toPlainText().contains(QStringLiteral(" ТАБЛИЦА 10.")))
                return;
            timer.stop();
            clock.start();
            f.Page.btnInterrupt->click();
        });
        timer.start();
        f.Page.btnFullEcrStatus->click();
        longestDelay = std::max(longestDelay, double(clock.nsecsElapsed()) / 1e6);
    }
    state.counters["interrupt_to_closing_line_ms"] = longestDelay;
}
} // namespace

BENCHMARK(BM_FullStatus)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FullStatusInterrupt)->Unit(benchmark::kMillisecond)->Iterations(3);
