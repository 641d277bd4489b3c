// The main of the page benchmarks: offscreen, the settings and data folders
// in a temporary folder (a benchmark never writes the user's own), the
// application, the benchmarks, then the driver freed.
#include "core/driver/untDriver.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    FreeDriver();
    return 0;
}
