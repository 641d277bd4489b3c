// A bench register that keeps its state: a program starts, connects and
// asks the FN's status with 10 and with 100,000 documents kept (goal: within
// 1.5 times), and a driver object connects after another program added a
// receipt.
#include "core/driver/untDriver.h"
#include "emulator/EmulatedOrvek.h"
#include "emulator/OrvekBench.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterPortLock.h"
#include "emulator/RegisterStore.h"

#include <QStandardPaths>
#include <benchmark/benchmark.h>

namespace {
constexpr int Batch = 1000;

RegisterConfig KeptConfig(std::int64_t documents)
{
    RegisterConfig config;
    config.StateFolder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                         QStringLiteral("/bench-store-%1").arg(documents);
    return config;
}

// A register kept with that many receipts (each with the tags an FN
// receipt carries), made once per size; kept in batches as a program
// holding the port would.
RegisterConfig KeepRegister(std::int64_t documents)
{
    const RegisterConfig config = KeptConfig(documents);
    auto hold = RegisterPortLock::Take(config.StateFolder);
    EmulatedRegister reg(config);
    reg.Refresh();
    RegisterFN& fn = reg.Area<RegisterFN>();
    for (std::int64_t i = std::int64_t(fn.Documents.size()); i < documents; ++i) {
        FNDocument& doc = fn.AddDocument(FNDocType::Receipt);
        doc.OperationType = 1;
        doc.Summ = 1000000 + i;
        doc.Payments[1] = doc.Summ;
        doc.TaxSums[1] = doc.Summ / 6;
        doc.Tags = {FNTag{1059, 0, TagTlv(1030, QByteArray("Tovar")), {}, false},
                    FNTag{1008, 0, QByteArray("buyer@example.org"), {}, false},
                    FNTag{1055, 0, QByteArray(1, '\x01'), {}, false}};
        if ((i + 1) % Batch == 0 || i + 1 == documents)
            reg.Persist();
    }
    return config;
}

void Connect()
{
    Driver().setConnectionType(0);
    Driver().setComNumber(1);
    Driver().setBaudRate(6);
    benchmark::DoNotOptimize(Driver().Connect());
}

void BM_StartConnectAndFNStatus(benchmark::State& state)
{
    InstallEmulatedOrvek();
    FreeDriver();
    const RegisterConfig config = KeepRegister(state.range(0));
    std::size_t documents = 0;
    for (auto _ : state) {
        Bench().Clear();
        Bench().Add(config);   // the program's bench makes the register...
        Connect();             // ...its driver object connects...
        benchmark::DoNotOptimize(Driver().FNGetStatus());   // ...and asks the FN
        state.PauseTiming();
        documents = Bench().Register(0)->Area<RegisterFN>().Documents.size();
        FreeDriver();
        state.ResumeTiming();
    }
    state.counters["documents"] = double(documents);
}
BENCHMARK(BM_StartConnectAndFNStatus)->Arg(10)->Arg(100000)->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_ConnectAfterAnotherProgramsReceipt(benchmark::State& state)
{
    InstallEmulatedOrvek();
    FreeDriver();
    const RegisterConfig config = KeepRegister(100000);
    Bench().Clear();
    EmulatedRegister& reg = *Bench().Add(config);
    EmulatedRegister other(config);   // the other program's copy
    for (auto _ : state) {
        state.PauseTiming();
        Driver().Disconnect();
        {
            auto hold = RegisterPortLock::Take(config.StateFolder);   // the other program holds the port
            other.Refresh();
            other.Area<RegisterFN>().AddDocument(FNDocType::Receipt).Summ = 100;
            other.Persist();
        }
        state.ResumeTiming();
        Connect();   // takes the other program's receipt
    }
    state.counters["documents"] = double(reg.Area<RegisterFN>().Documents.size());
    FreeDriver();
}
BENCHMARK(BM_ConnectAfterAnotherProgramsReceipt)->Iterations(20)->Unit(benchmark::kMillisecond);
} // namespace
