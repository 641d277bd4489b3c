// The COM port search on the emulated bench: eight ports searched at once
// with one register at the last rate of the order, against that port alone;
// and how soon a stopped search of eight ports has ended.
#include "emulator/EmulatedOrvek.h"
#include "emulator/OrvekBench.h"
#include "regmaven/OrvekSearchDevice.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

using Regmaven::TOrvekSearchDevice;

constexpr int Ports = 8;

void PrepareBench()
{
    InstallEmulatedOrvek();
    Bench().Clear();
    RegisterConfig c;
    c.ComNumber = Ports;  // the last port
    c.BaudRate = 2400;    // the last rate tried
    c.Host.clear();
    Bench().Add(c);
}

std::vector<std::unique_ptr<TOrvekSearchDevice>> Devices(int first, int count)
{
    std::vector<std::unique_ptr<TOrvekSearchDevice>> devices;
    for (int port = first; port < first + count; ++port) {
        devices.push_back(std::make_unique<TOrvekSearchDevice>());
        devices.back()->SetParams({port, 0, 600});
    }
    return devices;
}

void Search(std::vector<std::unique_ptr<TOrvekSearchDevice>>& devices)
{
    for (auto& d : devices)
        d->Search();
    for (auto& d : devices)
        d->WaitFor();
}

void BM_SlowestPortAlone(benchmark::State& state)
{
    PrepareBench();
    auto devices = Devices(Ports, 1);
    for (auto _ : state)
        Search(devices);
    if (!devices[0]->GetState().Succeded)
        state.SkipWithError("the register was not found");
}
BENCHMARK(BM_SlowestPortAlone)->UseRealTime();

void BM_EightPortsAtOnce(benchmark::State& state)
{
    PrepareBench();
    auto devices = Devices(1, Ports);
    for (auto _ : state)
        Search(devices);
    if (!devices.back()->GetState().Succeded)
        state.SkipWithError("the register was not found");
}
BENCHMARK(BM_EightPortsAtOnce)->UseRealTime();

// From Stop to every port finished.
void BM_StopEightPorts(benchmark::State& state)
{
    PrepareBench();
    auto devices = Devices(1, Ports);
    for (auto _ : state) {
        state.PauseTiming();
        for (auto& d : devices)
            d->Search();
        state.ResumeTiming();
        for (auto& d : devices)
            d->Stop();
        for (auto& d : devices)
            d->WaitFor();
    }
}
BENCHMARK(BM_StopEightPorts)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir settings;  // the driver objects keep their settings here
    qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
