// The FN data page reading 10,000 documents into its list against the
// emulated FN: the longest time the UI thread did not serve its event loop
// while the worker read (goal: at most 50 ms) and the time of the finish
// step that fills the list (goal: at most 200 ms).
#include "core/driver/untDriver.h"
#include "emulator/EmulatedOrvek.h"
#include "emulator/OrvekBench.h"
#include "emulator/RegisterFN.h"
#include "pages/fn/fmuFNData.h"
#include "pages/fn/fmuSelectFNDocumentRange.h"
#include "platform/ui/UpDown.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

namespace {
constexpr int DocumentCount = 10000;

void Prepare()
{
    InstallEmulatedOrvek();
    FreeDriver();
    RegisterFN& fn = Bench().Register(0)->Area<RegisterFN>();
    while (fn.LastDocumentNumber() < DocumentCount) {
        FNDocument& doc = fn.AddDocument(FNDocType::Receipt);
        doc.OperationType = 1;
        doc.Summ = 1234500;
    }
}

void BM_ReadDocumentList(benchmark::State& state)
{
    Prepare();
    double worstGap = 0, worstFill = 0;
    for (auto _ : state) {
        TfmFNData page;
        page.show();
        QTimer::singleShot(0, [] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<TfmSelectFNDocumentRange*>(w); dialog && dialog->isVisible()) {
                    dialog->edtFirstDocumentNumber->setText(QStringLiteral("1"));
                    dialog->edtLastDocumentNumber->setText(QString::number(DocumentCount));
                    dialog->accept();
                }
        });
        page.btnUpdateDocuments->click();

        // A 2 ms ticker: the gaps between its ticks are the UI thread's stalls.
        QElapsedTimer clock;
        clock.start();
        qint64 last = 0;
        double gap = 0, fill = 0;
        bool reading = true;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            const qint64 now = clock.elapsed();
            if (reading && !page.InReadingState()) {
                fill = double(now - last);  // the slice that ran the finish step
                reading = false;
            } else if (reading) {
                gap = std::max(gap, double(now - last));
            }
            last = now;
        });
        ticker.start(2);
        QDeadlineTimer deadline(120000);
        while (page.InReadingState() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (page.lvDocuments->topLevelItemCount() != DocumentCount)
            state.SkipWithError("the list is incomplete");
        worstGap = std::max(worstGap, gap);
        worstFill = std::max(worstFill, fill);
    }
    state.counters["reading_max_ui_stall_ms"] = worstGap;
    state.counters["finish_step_ms"] = worstFill;
}
BENCHMARK(BM_ReadDocumentList)->Iterations(3)->Unit(benchmark::kMillisecond);
} // namespace
