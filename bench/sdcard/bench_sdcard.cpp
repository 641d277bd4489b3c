// The SD card page writing a firmware file of 491520 bytes (3840 blocks) to
// the default emulated register with the page shown: the whole write, the
// longest gap between two paints of any widget while it runs, and how many
// blocks still go out after "Прервать" (blocks_after_stop).
#include "bench/PaintWatch.h"
#include "core/driver/untDriver.h"
#include "emulator/EmulatedOrvek.h"
#include "emulator/OrvekBench.h"
#include "pages/service/fmuSDCard.h"
#include "platform/Exceptions.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {
constexpr qsizetype FirmwareSize = 491520;

struct Fixture {
    Fixture()
    {
        InstallEmulatedOrvek();
        Bench().Clear();
        Bench().Add(RegisterConfig{});
        Bench().Registers().front()->Tables().SetValue(15, 1, 1, 1);
        QFile file(FileName);
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray(FirmwareSize, 'f'));
        file.close();
        Driver().setPassword(30);
        Page.resize(1120, 500);
        Page.show();
        (void)QTest::qWaitForWindowExposed(&Page);
    }
    ~Fixture() { FreeDriver(); }
    EmulatedRegister& Register() { return *Bench().Registers().front(); }
    QTemporaryDir Dir;
    QString FileName = Dir.filePath(QStringLiteral("firmware.bin"));
    TfmSDCard Page;
};

void BM_SDCardFirmwareWrite(benchmark::State& state)
{
    Fixture f;
    PaintWatch paints;
    double longestGap = 0;
    for (auto _ : state) {
        paints.Start();
        f.Page.WriteFile(f.FileName, 1);
        longestGap = std::max(longestGap, double(paints.Longest()));
    }
    if (f.Page.lblSuccess->text() != QStringLiteral("Запись прошла успешно"))
        state.SkipWithError("the write did not succeed");
    state.counters["longest_paint_gap_ms"] = longestGap;
}

void BM_SDCardStop(benchmark::State& state)
{
    Fixture f;
    int worst = 0;
    for (auto _ : state) {
        int atStop = -1;
        QTimer timer;
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            const int blocks = f.Register().CallCount(OrvekMethod::LoadBlockOnSDCard);
            if (!f.Page.btnStop->isEnabled() || blocks < 1000)
                return;
            timer.stop();
            atStop = blocks;
            f.Page.btnStop->click();
        });
        f.Register().ClearJournal();
        timer.start();
        try {
            f.Page.WriteFile(f.FileName, 1);
        } catch (const Exception&) {
        }
        worst = std::max(worst, f.Register().CallCount(OrvekMethod::LoadBlockOnSDCard) - atStop);
    }
    state.counters["blocks_after_stop"] = worst;
}
} // namespace

BENCHMARK(BM_SDCardFirmwareWrite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SDCardStop)->Unit(benchmark::kMillisecond)->Iterations(3);
