// Saving and loading 5,000 control values through the registry store.
// The form mixes the stored control classes about as the pages do: per 100
// controls 50 edits, 20 check boxes, 10 combo boxes, 10 spin edits, 5 radio
// buttons, 3 date-time edits and 2 memos; 50 pages of 100 controls, each in
// five group boxes of 20. Loading a registry file near its size bound
// reports the heap it takes at its peak, in times the file's size.
#include "platform/ui/NamedControls.h"
#include "core/settings/ControlStore.h"
#include "platform/Registry.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <atomic>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <thread>

namespace {
constexpr int ControlCount = 5000;

// A form whose values all depend on `salt`, so two salts differ in every value.
QWidget* BuildForm(int salt)
{
    auto* form = new QWidget;
    form->setObjectName("fmBench");
    for (int p = 0; p < ControlCount / 100; ++p) {
        auto* page = NewControl<QWidget>(form, QStringLiteral("fmPage%1").arg(p).toLatin1());
        QWidget* grp = nullptr;
        for (int i = 0; i < 100; ++i) {
            if (i % 20 == 0)
                grp = NewGroupBox(page, QStringLiteral("grpGroup%1").arg(i / 20).toLatin1(), "");
            const QByteArray name = QStringLiteral("ctl%1").arg(i).toLatin1();
            if (i < 50)
                NewEdit(grp, name, QStringLiteral("Строка %1 страницы %2 (%3)").arg(i).arg(p).arg(salt));
            else if (i < 70)
                NewCheckBox(grp, name, "", (i + salt) % 2);
            else if (i < 80)
                NewComboBox(grp, name, {"a", "b", "c"}, salt % 3);
            else if (i < 90)
                NewSpinEdit(grp, name, 0, 0, i * p + salt);
            else if (i < 95)
                NewRadioButton(grp, name, "", (i + salt) % 2)->setAutoExclusive(false);
            else if (i < 98)
                NewControl<QDateTimeEdit>(grp, name)->setDateTime(QDateTime(QDate(2024, 1, 1 + salt), QTime(10, i)));
            else
                NewMemo(grp, name)->setPlainText(QStringLiteral("Текст %1").arg(salt).repeated(20));
        }
    }
    return form;
}

struct Fixture {
    QTemporaryDir dir;
    QWidget* forms[2] = {BuildForm(1), BuildForm(2)};
    QWidget* target = BuildForm(0);
    QString files[2] = {dir.path() + "/a.json", dir.path() + "/b.json"};
    // The forms' values under many form names, up to 3.5 MiB.
    QString large[2] = {dir.path() + "/large-a.reg", dir.path() + "/large-b.reg"};
    Fixture()
    {
        for (int i = 0; i < 2; ++i) {
            TRegistry reg(files[i]);
            reg.OpenKey(LumaqParamKey, true);
            SaveControlParams("fmBench", forms[i], reg);
        }
        for (int i = 0; i < 2; ++i)
            for (int n = 0; QFileInfo(large[i]).size() < (qint64(7) << 19); ++n) {
                TRegistry reg(large[i]);
                reg.OpenKey(LumaqParamKey, true);
                SaveControlParams(QStringLiteral("fmBench%1").arg(n), forms[i], reg);
            }
    }
};

size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

Fixture* g_fixture = nullptr;

void BM_SaveControlParams(benchmark::State& state)
{
    const QString file = g_fixture->dir.path() + "/save.json";
    for (auto _ : state) {
        TRegistry reg(file);
        reg.OpenKey(LumaqParamKey, true);
        SaveControlParams("fmBench", g_fixture->forms[0], reg);
        reg.CloseKey();   // the file is written here
    }
    state.counters["values"] = ControlCount;
}
BENCHMARK(BM_SaveControlParams)->Unit(benchmark::kMillisecond);

// Each run restores the other value set, so every control changes.
void BM_LoadControlParams(benchmark::State& state)
{
    int run = 0;
    for (auto _ : state) {
        TRegistry reg(g_fixture->files[run++ % 2]);   // the file is read here
        reg.OpenKey(LumaqParamKey, false);
        LoadControlParams("fmBench", g_fixture->target, reg);
    }
    state.counters["values"] = ControlCount;
}
BENCHMARK(BM_LoadControlParams)->Unit(benchmark::kMillisecond);

// Every stored value equals the control's: the store's own work, no setter runs.
void BM_LoadControlParamsUnchanged(benchmark::State& state)
{
    for (auto _ : state) {
        TRegistry reg(g_fixture->files[0]);
        reg.OpenKey(LumaqParamKey, false);
        LoadControlParams("fmBench", g_fixture->forms[0], reg);
    }
    state.counters["values"] = ControlCount;
}
BENCHMARK(BM_LoadControlParamsUnchanged)->Unit(benchmark::kMillisecond);

// Each run reads the other file, so each is parsed. A second thread samples
// the heap in use; "peak_x" is its highest rise over the file's size.
void BM_LoadLargeRegistry(benchmark::State& state)
{
    int run = 0;
    double peakTimes = 0;
    for (auto _ : state) {
        const QString& file = g_fixture->large[run++ % 2];
        const size_t before = HeapInUse();
        std::atomic<bool> done = false;
        std::atomic<size_t> peak = before;
        std::thread sampler([&] {
            while (!done)
                peak = std::max(peak.load(), HeapInUse());
        });
        {
            TRegistry reg(file);
            reg.OpenKey(LumaqParamKey, false);
            peak = std::max(peak.load(), HeapInUse());
        }
        done = true;
        sampler.join();
        peakTimes = std::max(peakTimes, double(peak - before) / double(QFileInfo(file).size()));
    }
    state.counters["peak_x"] = peakTimes;
    state.counters["file_MiB"] = double(QFileInfo(g_fixture->large[0]).size()) / (1 << 20);
}
BENCHMARK(BM_LoadLargeRegistry)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Fixture fixture;   // built before timing
    g_fixture = &fixture;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
