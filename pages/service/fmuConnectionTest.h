#pragma once
// TfmConnectionTest: "Проверка связи", an endless link test on a worker
// thread (status requests in a loop, statistics every 300 ms) and a print
// timing test (100 lines and a cut).
#include "core/pages/untPages.h"

#include <QElapsedTimer>
#include <atomic>
#include <cstdint>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class TDriver;
class TNotifyThread;

// The statistics labels of the link test.
struct TLinkTestLabels {
    QString RepCount, ErrCount, TxSpeed, ErrRate, TimeLeft, CommandTime;
};
// The labels for RepCount requests, ErrCount of them failed, TimeLeft
// milliseconds since the start (speed and rates 0 while nothing ran).
TLinkTestLabels LinkTestLabels(std::int64_t RepCount, std::int64_t ErrCount, std::uint32_t TimeLeft);

class TfmConnectionTest : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Проверка связи";
    explicit TfmConnectionTest(QWidget* owner = nullptr);
    ~TfmConnectionTest() override;

    QLabel* lblRepCount;
    QLabel* lblErrCount;
    QLabel* lblTxSpeed;
    QLabel* lblErrRate;
    QLabel* lblTimeLeft;
    QLabel* lblCommandTime;
    QPushButton* btnStart;
    QPushButton* btnStop;
    QCheckBox* chbStopOnError;
    QCheckBox* chkCheckFM;
    QCheckBox* chkUseShortStatus;
    QTimer* Timer;
    QPushButton* btnTestConnect;
    QLabel* lblTestProgress;
    QLineEdit* edtTime;

    // The link test's worker (null before the first start).
    TNotifyThread* Thread() const { return FThread.get(); }
    bool Running() const;

private:
    void btnStartClick();
    void btnStopClick();
    void btnTestConnectClick();
    void ThreadProc();
    void ThreadFinished(TNotifyThread* Sender);
    void UpdateInfo();

    std::atomic<std::int64_t> FRepCount{0};
    std::atomic<std::int64_t> FErrCount{0};
    std::atomic<std::int32_t> FResultCode{0};
    std::atomic<std::uint32_t> FTimeLeft{0};
    std::atomic<bool> FStopOnError{false};
    std::atomic<bool> FStopFlag{false};
    std::atomic<bool> FCheckFM{false};
    std::atomic<bool> FUseShortStatus{false};
    QElapsedTimer FStarted;
    std::unique_ptr<TNotifyThread> FThread;
    TDriver* FDriver = nullptr;  // the driver object the worker calls
    // The print timing test runs; a second click stops it.
    bool FTiming = false;
    bool FTimingStop = false;
};
