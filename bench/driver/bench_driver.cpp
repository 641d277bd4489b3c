// One round trip through Driver() against the emulated driver: a property
// write, a method call and a result read.
#include "core/driver/untDriver.h"
#include "emulator/EmulatedOrvek.h"

#include <benchmark/benchmark.h>

namespace {
void Prepare()
{
    InstallEmulatedOrvek();
    FreeDriver();
    Driver().GetShortECRStatus();  // connected
}

// The plainest round trip: a password, a beep, its result code.
void BM_WriteCallRead(benchmark::State& state)
{
    Prepare();
    for (auto _ : state) {
        Driver().setPassword(30);
        benchmark::DoNotOptimize(Driver().Beep());
        benchmark::DoNotOptimize(Driver().ResultCode());
    }
}
BENCHMARK(BM_WriteCallRead);

// A status query that fills some thirty result properties.
void BM_ShortStatus(benchmark::State& state)
{
    Prepare();
    for (auto _ : state) {
        Driver().setPassword(30);
        benchmark::DoNotOptimize(Driver().GetShortECRStatus());
        benchmark::DoNotOptimize(Driver().ECRMode());
    }
}
BENCHMARK(BM_ShortStatus);

// A table field: three writes, the read, the value.
void BM_ReadTableField(benchmark::State& state)
{
    Prepare();
    for (auto _ : state) {
        Driver().setTableNumber(17);
        Driver().setRowNumber(1);
        Driver().setFieldNumber(12);
        benchmark::DoNotOptimize(Driver().ReadTable());
        benchmark::DoNotOptimize(Driver().ValueOfFieldInteger());
    }
}
BENCHMARK(BM_ReadTableField);
} // namespace

BENCHMARK_MAIN();
