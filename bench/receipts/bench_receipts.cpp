// The receipt load generator against the emulated register, which keeps its
// state in its folder as every bench register does: 20,000 receipts
// of one item each, exact values, no document queries. Goals: at least 2,000
// receipts a second, and the last 1,000 receipts at most 20 % slower than the
// first 1,000. And its memory: the peak of a 200,000-receipt run at most
// 1.2 times that of a 20,000-receipt run (each run in a program of its own).
#include "core/driver/untDriver.h"
#include "emulator/EmulatedOrvek.h"
#include "emulator/OrvekBench.h"
#include "emulator/RegisterFN.h"
#include "pages/receipts/fmuTestMultiReceipt.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QProcess>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <sys/resource.h>

namespace {
constexpr int ReceiptCount = 20000;
constexpr int Slice = 1000;

// The generator page set for a run of receipts of one item each.
void SetUp(TfmTestMultiReceipt& page, int receipts)
{
    page.RandomSeed = 1;
    page.seReceiptCount->setValue(receipts);
    page.seOperationCount->setValue(1);
    page.chbCloseDay->setChecked(false);
    page.chbRequestDocuments->setChecked(false);
}

void BM_GeneratorRun(benchmark::State& state)
{
    InstallEmulatedOrvek();
    FreeDriver();
    const RegisterFN& fn = Bench().Register(0)->Area<RegisterFN>();
    double rate = 0, slowdown = 0;
    for (auto _ : state) {
        TfmTestMultiReceipt page;
        SetUp(page, ReceiptCount);

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

// The peak memory (MiB) of a run of that many receipts in a program of its own; 0 when it failed.
double PeakOfRun(int receipts)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LUMAQ_GENERATOR_RECEIPTS", QString::number(receipts));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"--benchmark_filter=BM_GeneratorMemory"});
    if (!child.waitForFinished(30 * 60 * 1000))
        return 0;
    for (const QByteArray& line : child.readAllStandardOutput().split('\n'))
        if (line.startsWith("peak_kib "))
            return line.mid(9).toDouble() / 1024;
    return 0;
}

// Without LUMAQ_GENERATOR_RECEIPTS: runs of 20,000 and 200,000 receipts,
// each in a child; with it (in the child): one run of that many receipts,
// then its peak resident memory ("peak_kib N").
void BM_GeneratorMemory(benchmark::State& state)
{
    const int receipts = qEnvironmentVariableIntValue("LUMAQ_GENERATOR_RECEIPTS");
    if (receipts > 0) {
        for (auto _ : state) {
            InstallEmulatedOrvek();
            FreeDriver();
            TfmTestMultiReceipt page;
            SetUp(page, receipts);
            page.btnStart->click();
        }
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("peak_kib %ld\n", usage.ru_maxrss);
        return;
    }
    double small = 0, large = 0;
    for (auto _ : state) {
        small = PeakOfRun(20000);
        large = PeakOfRun(200000);
    }
    if (small <= 0 || large <= 0)
        state.SkipWithError("a run failed");
    state.counters["peak_mib_20000"] = small;
    state.counters["peak_mib_200000"] = large;
    state.counters["ratio"] = small > 0 ? large / small : 0;
}
BENCHMARK(BM_GeneratorMemory)->Iterations(1)->Unit(benchmark::kSecond);
} // namespace
