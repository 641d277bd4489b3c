// From process start to the main window shown (the 69 pages in the table,
// settings restored) and through shut-down (settings saved), side by side
// with an empty Qt main window started the same way, and with that window
// showing one label (what drawing any text costs: the fonts are loaded and
// the text shaped). Each run is a fresh process of this program ("--child
// lumaq" / "--child empty" / "--child label"); before the
// runs one process opens every page once ("--child every"), so the registry
// holds the stored values of all pages. Each child reports its peak memory
// (counter peak_kb). BM_FirstShowOfEachPage times a page's first show in
// process: the mean and the slowest page.
#include "lumaqtst/Lumaq.h"
#include "lumaqtst/fmuMain.h"
#include "platform/Guard.h"
#include "core/pages/fmuTabbedPage.h"
#include "emulator/EmulatedOrvek.h"

#include <QApplication>
#include <QLabel>
#include <QCoreApplication>
#include <QListWidget>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>

namespace {
// Shows every group and every tab of the main window once.
void OpenEveryPage(TfmMain& main, const std::function<void(double ms)>& timed = {})
{
    for (int row = 0; row < main.ListBox->count(); ++row) {
        main.ListBox->setCurrentRow(row);
        auto* group = qobject_cast<TfmTabbedPage*>(main.ShownPage());
        for (int tab = 0; group && tab < group->PageControl->count(); ++tab) {
            const auto start = std::chrono::steady_clock::now();
            group->PageControl->setCurrentIndex(tab);
            QCoreApplication::processEvents();
            if (timed)
                timed(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
    }
}

long PeakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int RunChild(int argc, char** argv, const char* what)
{
    QApplication app(argc, argv);
    bool exposed = false;
    if (std::strcmp(what, "empty") != 0 && std::strcmp(what, "label") != 0) {
        StartLumaqTst();
        TLumaqForms forms;
        forms.Main().show();
        exposed = QTest::qWaitForWindowExposed(&forms.Main());
        if (std::strcmp(what, "every") == 0)
            OpenEveryPage(forms.Main());
    } else {
        QMainWindow window;
        window.resize(745, 510);
        if (std::strcmp(what, "label") == 0)
            window.setCentralWidget(new QLabel(QStringLiteral("Проверка связи")));
        window.show();
        exposed = QTest::qWaitForWindowExposed(&window);
    }
    std::printf("%ld\n", PeakKilobytes());
    return exposed ? 0 : 1;
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
    auto run = [&](const char* mode) {
        QProcess child;
        child.setProcessEnvironment(env);
        child.start(g_program, {"--child", mode});
        if (!child.waitForFinished(60000) || child.exitCode() != 0)
            return -1L;
        return child.readAllStandardOutput().trimmed().toLong();
    };
    if (std::strcmp(what, "lumaq") == 0 && run("every") < 0) {
        state.SkipWithError("the child opening every page did not end cleanly");
        return;
    }
    long peak = 0;
    for (auto _ : state) {
        const long kb = run(what);
        if (kb < 0) {
            state.SkipWithError("the child did not start or end cleanly");
            break;
        }
        peak = std::max(peak, kb);
    }
    state.counters["peak_kb"] = double(peak);
}

void BM_StartupEmptyWindow(benchmark::State& state)
{
    RunProcess(state, "empty");
}
BENCHMARK(BM_StartupEmptyWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StartupWindowWithOneLabel(benchmark::State& state)
{
    RunProcess(state, "label");
}
BENCHMARK(BM_StartupWindowWithOneLabel)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StartupLumaqTst(benchmark::State& state)
{
    RunProcess(state, "lumaq");
}
BENCHMARK(BM_StartupLumaqTst)->Unit(benchmark::kMillisecond)->UseRealTime();

// In process: a fresh main window (not timed), then every page's first show.
void BM_FirstShowOfEachPage(benchmark::State& state)
{
    InstallEmulatedOrvek();
    double slowest = 0, total = 0;
    int pages = 0;
    for (auto _ : state) {
        state.PauseTiming();
        {
            TfmMain main;
            main.show();
            state.ResumeTiming();
            OpenEveryPage(main, [&](double ms) {
                slowest = std::max(slowest, ms);
                total += ms;
                ++pages;
            });
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
    state.counters["slowest_page_ms"] = slowest;
    state.counters["mean_page_ms"] = pages ? total / pages : 0;
}
BENCHMARK(BM_FirstShowOfEachPage)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0)
        return RunChild(argc, argv, argv[2]);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    QApplication app(argc, argv);
    g_program = QCoreApplication::applicationFilePath();
    g_home = &home;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
