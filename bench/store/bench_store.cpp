// A bench register that keeps its state and holds 100,000 documents: a
// driver object connects after another program added a receipt (goal: at
// most 50 ms), and a program starts, makes the register and connects.
#include "core/driver/untDriver.h"
#include "emulator/EmulatedOrvek.h"
#include "emulator/OrvekBench.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterStore.h"

#include <QStandardPaths>
#include <benchmark/benchmark.h>

namespace {
constexpr int DocumentCount = 100000;

QString Folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/bench-store");
}

// A register with that many receipts (each with the tags an FN receipt
// carries), kept in the folder as one snapshot.
void KeepRegister()
{
    EmulatedRegister reg;
    RegisterFN& fn = reg.Area<RegisterFN>();
    for (int i = 0; i < DocumentCount; ++i) {
        FNDocument& doc = fn.AddDocument(FNDocType::Receipt);
        doc.OperationType = 1;
        doc.Summ = 1000000 + i;
        doc.Payments[1] = doc.Summ;
        doc.TaxSums[1] = doc.Summ / 6;
        doc.Tags = {FNTag{1059, 0, TagTlv(1030, QByteArray("Tovar")), {}, false},
                    FNTag{1008, 0, QByteArray("buyer@example.org"), {}, false},
                    FNTag{1055, 0, QByteArray(1, '\x01'), {}, false}};
    }
    RegisterStore(Folder()).Open(reg);
}

void Connect()
{
    Driver().setConnectionType(0);
    Driver().setComNumber(1);
    Driver().setBaudRate(6);
    benchmark::DoNotOptimize(Driver().Connect());
}

void BM_ConnectAfterAnotherProgramsReceipt(benchmark::State& state)
{
    InstallEmulatedOrvek();
    FreeDriver();
    KeepRegister();
    RegisterConfig config;
    config.StateFolder = Folder();
    Bench().Clear();
    EmulatedRegister& reg = *Bench().Add(config);
    EmulatedRegister other(config);   // the other program's copy
    for (auto _ : state) {
        state.PauseTiming();
        Driver().Disconnect();
        other.Area<RegisterFN>().AddDocument(FNDocType::Receipt).Summ = 100;
        other.Persist();
        state.ResumeTiming();
        Connect();   // takes the other program's receipt
    }
    state.counters["documents"] = double(reg.Area<RegisterFN>().Documents.size());
}
BENCHMARK(BM_ConnectAfterAnotherProgramsReceipt)->Iterations(20)->Unit(benchmark::kMillisecond);

void BM_StartAndConnect(benchmark::State& state)
{
    InstallEmulatedOrvek();
    FreeDriver();
    KeepRegister();
    RegisterConfig config;
    config.StateFolder = Folder();
    std::size_t documents = 0;
    for (auto _ : state) {
        FreeDriver();
        Bench().Clear();
        Bench().Add(config);   // the program's bench makes the register...
        Connect();             // ...and its driver object connects
        state.PauseTiming();
        documents = Bench().Register(0)->Area<RegisterFN>().Documents.size();
        state.ResumeTiming();
    }
    state.counters["documents"] = double(documents);
}
BENCHMARK(BM_StartAndConnect)->Iterations(5)->Unit(benchmark::kMillisecond);
} // namespace
