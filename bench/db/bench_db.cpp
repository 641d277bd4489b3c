// The receipt database: DBFindDocument in a database of 100,000 documents
// that the FN holds (goal: at most 0.1 ms a call), and the receipt totals of a 2,000-document session on the "Контрольная
// лента" page, with the longest gap between two event-loop turns (counter
// max_gap_ms).
#include "core/driver/untDriver.h"
#include "emulator/EmulatedOrvek.h"
#include "emulator/ReceiptDatabase.h"
#include "emulator/RegisterFN.h"
#include "pages/service/fmuDBSession.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <algorithm>

namespace {
// The FN holds 100,000 documents, and the database has them.
void Seed(RegisterFN& fn)
{
    while (fn.LastDocumentNumber() < 100000)
        fn.AddDocument(FNDocType::Receipt);
    std::vector<DBDocument> documents;
    for (int n = 1; n <= 100000; ++n) {
        DBDocument d;
        d.Number = n;
        d.Session = n <= 2000 ? 1 : 2 + n / 1000;   // session 1 holds the first 2,000
        d.Type = 1 + n % 5;
        d.DateTime = QDateTime(QDate(2026, 1, 1), QTime(10, 0));
        d.Total = n * 10000LL;
        d.FiscalSign = fn.Find(n)->FiscalSign;
        d.Text = QStringLiteral("КАССОВЫЙ ЧЕК %1").arg(n);
        documents.push_back(std::move(d));
    }
    ReceiptDatabase::Add({}, ReceiptDatabase::Of(fn), documents);
}

void BM_DBFindDocument(benchmark::State& state)
{
    TDriver& d = Driver();
    int n = 1;
    for (auto _ : state) {
        d.setDocumentNumber(n);
        if (d.DBFindDocument() != 0) {
            state.SkipWithError("not found");
            break;
        }
        n = (n + 7919) % 100000 + 1;
    }
}
BENCHMARK(BM_DBFindDocument)->Unit(benchmark::kMicrosecond);

void BM_SessionTotals(benchmark::State& state)
{
    TfmDBSession page;
    page.resize(1100, 540);
    page.show();
    page.edtSessionNumber->setText(QStringLiteral("1"));
    auto* button = page.findChild<QPushButton*>(QStringLiteral("btn1"));
    double maxGap = 0;
    for (auto _ : state) {
        QElapsedTimer gap;
        QTimer tick;
        tick.setInterval(0);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            maxGap = std::max(maxGap, double(gap.nsecsElapsed()) / 1e6);
            gap.restart();
        });
        gap.start();
        tick.start();
        button->click();
        tick.stop();
    }
    state.counters["max_gap_ms"] = maxGap;
}
BENCHMARK(BM_SessionTotals)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    InstallEmulatedOrvek();
    Driver().Connect();
    Seed(EmulatedComponentOf(Driver())->ConnectedRegister()->Area<RegisterFN>());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    FreeDriver();
    return 0;
}
