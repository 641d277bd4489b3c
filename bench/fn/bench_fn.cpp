// Saving and reading back a notification archive of 10,000 notifications of
// 1 KB each (about 10 MB): each at most 50 ms.
#include "core/support/RNMUtil.h"
#include "pages/fn/untFNNotificationArchive.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr int Count = 10000;
constexpr int Size = 1024;

void Fill(TFNNotificationArchive& archive)
{
    for (int i = 0; i < Count; ++i) {
        QByteArray data(Size, char('a' + i % 26));
        const std::uint16_t crc = CRCCITT16(data.left(2) + data.mid(4));
        data[2] = char(crc & 0xFF);
        data[3] = char(crc >> 8);
        archive.Add(i + 1, data);
    }
}

void BM_SaveArchive(benchmark::State& state)
{
    QTemporaryDir dir;
    TFNNotificationArchive archive(QStringLiteral("Brannic: Lumaq 1.0.0.1"), "0000000001012345", "9960000000012345", 4);
    Fill(archive);
    const QString name = dir.path() + "/bench.crpt2";
    for (auto _ : state)
        archive.SaveToFile(name);
    state.SetBytesProcessed(state.iterations() * QFile(name).size());
}
BENCHMARK(BM_SaveArchive)->Unit(benchmark::kMillisecond);

void BM_LoadArchive(benchmark::State& state)
{
    QTemporaryDir dir;
    TFNNotificationArchive archive(QStringLiteral("Brannic: Lumaq 1.0.0.1"), "0000000001012345", "9960000000012345", 4);
    Fill(archive);
    const QString name = dir.path() + "/bench.crpt2";
    archive.SaveToFile(name);
    for (auto _ : state) {
        TFNNotificationArchive read({}, {}, {}, 0);
        read.LoadFromFile(name);
        benchmark::DoNotOptimize(read.Notifications().GetCount());
    }
    state.SetBytesProcessed(state.iterations() * QFile(name).size());
}
BENCHMARK(BM_LoadArchive)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
