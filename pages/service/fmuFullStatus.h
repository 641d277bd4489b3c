#pragma once
// TfmFullStatus: "Полное состояние", one long report of everything the
// driver tells about the device: the long and short status, the metrics,
// every device table with every field, the cash and the operation
// registers. The report runs on the UI thread and lets events through at its
// stop points, so the window paints and "Прервать" stops it; it ends
// complete or with one closing line that says why it stopped.
#include "core/pages/MemoReport.h"
#include "core/pages/untPages.h"

#include <QElapsedTimer>
#include <QVariant>
#include <cstdint>

class QPlainTextEdit;
class QPushButton;

class TfmFullStatus : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Полное состояние";
    explicit TfmFullStatus(QWidget* owner = nullptr);

    QPlainTextEdit* Memo;
    QPushButton* btnFullEcrStatus;
    QPushButton* btnSaveToFile;
    QPushButton* btnInterrupt;

    // A value as the report shows it: numbers in decimal, a floating-point
    // value in general format (up to 15 significant digits, the user's
    // decimal separator), a date-time as its date alone when it has no time
    // of day and its time alone when it has no date.
    static QString VarToStr(const QVariant& Value);

    bool Running() const { return FRunning; }

    // Milliseconds at least between two event passes at the stop points (0:
    // at every one): often enough to paint and take "Прервать", rarely
    // enough not to slow the report down.
    static inline int EventInterval = 10;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void btnFullEcrStatusClick();
    void btnSaveToFileClick();
    void btnInterruptClick();

    // Lets pending events run (the window paints, buttons take clicks).
    void ProcessMessages();
    // A stop point: lets pending events run, ends the report when the user
    // stopped it, then TPage::Check of the code.
    void Check2(int32_t ResultCode);
    void AddLine(const QString& Name, const QVariant& Value);
    void AddBool(const QString& Name, bool Flag);
    void AddLongStatus();
    void AddShortStatus();
    void AddDeviceMetrics();
    void AddTables();
    // Writes table n; false when the device has no table n.
    bool AddTable(int32_t Number);
    void AddCashRegisters();
    void AddOperationRegisters();
    void CaretToStart();

    TMemoReport FReport;
    bool FStopFlag = false;
    bool FRunning = false;
    bool FCloseRequested = false;  // the window was closed during a run
    QElapsedTimer FEventsRun;      // since events last ran
};
