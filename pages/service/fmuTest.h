#pragma once
// TfmTest: "Тест", a stress test on a worker thread: cycles of printing,
// cutting, register reading and a receipt opened and cancelled.
#include "core/pages/untPages.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class TDriver;
class TNotifyThread;

// A line of 0 to 39 letters from U+00C0 to U+00D3.
QString GetRandomStr();

class TfmTest : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Тест";
    explicit TfmTest(QWidget* owner = nullptr);
    ~TfmTest() override;

    QLineEdit* edtCount;
    QLabel* lblRepCount;
    QLabel* lblErrorCount;
    QLabel* lblError;
    QPushButton* btnStart;
    QPushButton* btnStop;
    QCheckBox* chkStopOnError;
    QTimer* Timer;

    // The worker (null before the first start).
    TNotifyThread* Thread() const { return FThread.get(); }

private:
    void btnStartClick();
    void btnStopClick();
    void ThreadProc();
    void ThreadFinished(TNotifyThread* Sender);
    void UpdateInfo();
    // Counts a failed call; true when the test is to end.
    bool Failed(std::int32_t code);

    std::atomic<std::int64_t> FRepCount{0};
    std::atomic<std::int64_t> FErrCount{0};
    std::atomic<std::int64_t> FTotalCount{0};
    std::atomic<std::int32_t> FResultCode{0};
    std::atomic<bool> FStopOnError{false};
    std::atomic<bool> FStopFlag{false};
    std::mutex FDescriptionLock;
    QString FResultDescription;
    std::unique_ptr<TNotifyThread> FThread;
    TDriver* FDriver = nullptr;  // the driver object the worker calls
};
