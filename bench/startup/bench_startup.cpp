// From process start to the main window shown (all 69 pages built, settings
// restored) and through shut-down (settings saved), side by side with an
// empty Qt main window started the same way. Each run is a fresh process of
// this program ("--child lumaq" / "--child empty"); the settings folder is
// kept between runs, so every LumaqTst run after the first restores what the
// one before saved.
#include "lumaqtst/Lumaq.h"
#include "lumaqtst/fmuMain.h"
#include "platform/Guard.h"
#include "platform/ui/Dialogs.h"
#include "emulator/EmulatedOrvek.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <cstring>

namespace {
int RunChild(int argc, char** argv, const char* what)
{
    QApplication app(argc, argv);
    if (std::strcmp(what, "lumaq") == 0) {
        InstallEmulatedOrvek();
        SetApplicationTitle(QStringLiteral("Brannic: Driver test"));
        TLumaqForms forms;
        forms.Main().show();
        return QTest::qWaitForWindowExposed(&forms.Main()) ? 0 : 1;
    }
    QMainWindow window;
    window.resize(745, 510);
    window.show();
    return QTest::qWaitForWindowExposed(&window) ? 0 : 1;
}

QString g_program;
QTemporaryDir* g_home = nullptr;

void RunProcess(benchmark::State& state, const char* what)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", g_home->path() + "/config");
    env.insert("XDG_DATA_HOME", g_home->path() + "/data");
    env.insert("XDG_RUNTIME_DIR", g_home->path());
    for (auto _ : state) {
        QProcess child;
        child.setProcessEnvironment(env);
        child.start(g_program, {"--child", what});
        if (!child.waitForFinished(60000) || child.exitCode() != 0) {
            state.SkipWithError("the child did not start or end cleanly");
            break;
        }
    }
}

void BM_StartupEmptyWindow(benchmark::State& state)
{
    RunProcess(state, "empty");
}
BENCHMARK(BM_StartupEmptyWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StartupLumaqTst(benchmark::State& state)
{
    RunProcess(state, "lumaq");
}
BENCHMARK(BM_StartupLumaqTst)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0)
        return RunChild(argc, argv, argv[2]);
    QCoreApplication app(argc, argv);
    g_program = QCoreApplication::applicationFilePath();
    QTemporaryDir home;
    g_home = &home;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
