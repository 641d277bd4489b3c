// The receipt load generator against the emulated register, which keeps its
// state in its folder as every bench register does: 20,000 receipts
// of one item each, exact values, no document queries. Goals: at least 2,000
// receipts a second, and the last 1,000 receipts at most 20 % slower than the
// first 1,000.
#include "core/driver/untDriver.h"
#include "emulator/EmulatedOrvek.h"
#include "emulator/OrvekBench.h"
#include "emulator/RegisterFN.h"
#include "pages/receipts/fmuTestMultiReceipt.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

namespace {
constexpr int ReceiptCount = 20000;
constexpr int Slice = 1000;

void BM_GeneratorRun(benchmark::State& state)
{
    InstallEmulatedOrvek();
    FreeDriver();
    const RegisterFN& fn = Bench().Register(0)->Area<RegisterFN>();
    double rate = 0, slowdown = 0;
    for (auto _ : state) {
        TfmTestMultiReceipt page;
        page.RandomSeed = 1;
        page.seReceiptCount->setValue(ReceiptCount);
        page.seOperationCount->setValue(1);
        page.chbCloseDay->setChecked(false);
        page.chbRequestDocuments->setChecked(false);

        // The times at which receipts 0, 1000, 19000 and 20000 were done,
        // seen whenever the run handles its events (after each item and receipt).
        const std::size_t before = fn.Documents.size();
        QElapsedTimer clock;
        std::vector<qint64> marks;
        QTimer watch;
        watch.setInterval(0);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            const std::size_t done = fn.Documents.size() - before;
            const std::size_t next = marks.size() == 1 ? Slice : marks.size() == 2 ? ReceiptCount - Slice : ReceiptCount;
            if (marks.size() < 4 && done >= next)
                marks.push_back(clock.nsecsElapsed());
        });
        watch.start();
        clock.start();
        marks.push_back(0);
        page.btnStart->click();
        const qint64 total = clock.nsecsElapsed();
        if (fn.Documents.size() - before < std::size_t(ReceiptCount) || marks.size() < 4) {
            state.SkipWithError("the run did not print every receipt");
            break;
        }
        rate = ReceiptCount / (double(total) / 1e9);
        slowdown = double(marks[3] - marks[2]) / double(marks[1] - marks[0]) - 1;
    }
    state.counters["receipts_per_second"] = rate;
    state.counters["last_1000_slower_by_percent"] = slowdown * 100;
}
BENCHMARK(BM_GeneratorRun)->Iterations(1)->Unit(benchmark::kMillisecond);
} // namespace
