#pragma once
// TfmReadDump: "Дамп", reads a memory area of the device through the dump
// protocol: one block at a time shown as hex, or all blocks on a worker
// thread, then saved or shown in the hex viewer.
#include "core/pages/untPages.h"

#include <QByteArray>
#include <QStringList>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;
class TDriver;
class TNotifyThread;

// A data block as memo lines: 16 bytes a line, each byte two upper-case hex
// digits and a blank.
QStringList DumpBlockLines(const QByteArray& Block);
// The progress text.
QString BlocksReceivedText(std::int32_t Blocks);

class TfmReadDump : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Дамп";
    explicit TfmReadDump(QWidget* owner = nullptr);
    ~TfmReadDump() override;

    void Initialize() override;

    QComboBox* cbDeviceCode;
    QPushButton* btnDampRequest;
    QLineEdit* edtBlockCount;
    QPushButton* btnGetData;
    QLineEdit* edtBlockNumber;
    QPlainTextEdit* Memo;
    QPushButton* btnInterruptDataStream;
    QPushButton* btnStart;
    QPushButton* btnStop;
    QPushButton* btnViewData;
    QPushButton* btnSaveDump;
    QProgressBar* ProgressBar;
    QLabel* lblCount;
    QTimer* Timer;

    // The blocks read so far (a copy taken under the worker's lock).
    QByteArray DumpCopy() const;
    // The worker (null before the first read).
    TNotifyThread* Thread() const { return FThread.get(); }

private:
    void btnDampRequestClick();
    void btnGetDataClick();
    void btnInterruptDataStreamClick();
    void btnStartClick();
    void btnStopClick();
    void btnViewDataClick();
    void btnSaveDumpClick();
    void ReadData();
    void ThreadProc();
    void OnCompleted(TNotifyThread* Sender);
    void UpdateProgress();
    // Ends the worker (waiting for it) before anything starts anew.
    void JoinWorker();
    // Runs a single-step handler between EnableButtons(false) and
    // EnableButtons(true), once the worker has ended.
    void Framed(const std::function<void()>& body);
    std::int32_t SelectedCode() const;

    mutable std::mutex FDumpLock;
    QByteArray FDump;
    QString FResultDescription;  // under FDumpLock
    std::int32_t FCount = 0;
    std::atomic<bool> FStopFlag{false};
    std::atomic<std::int32_t> FBlockNumber{0};
    std::atomic<std::int32_t> FResultCode{0};
    std::unique_ptr<TNotifyThread> FThread;
    TDriver* FDriver = nullptr;  // the driver object the worker calls
    bool FClosing = false;
};
