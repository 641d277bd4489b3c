#pragma once
// The wizard's small task framework: a task runs its work on a worker thread
// (TWorkThread), reports through its state (TTaskState, with the status text
// shared between threads in a TThreadString) and hands its end to the UI
// thread.
//
//   class TMyTask : public TWorkThread {
//       void DoExecute() override { State().Start(1); ...; State().Success(); }
//   };
//   task.FOnCompleted = [this] { ... };   // on the UI thread, after the run
//   task.Execute();                       // task.Stop() ends it and waits
#include "core/support/NotifyThread.h"

#include <QDateTime>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

namespace Regmaven {

// A text read and written from several threads.
class TThreadString {
public:
    QString GetValue() const;
    void SetValue(const QString& Value);

private:
    QString FValue;
    mutable std::mutex FLock;
};

// The progress of one run of a task.
class TTaskState {
public:
    // A new run of Count items.
    void Start(int Count);
    // Raises the silent abort "Операция отменена" once the run was stopped.
    void CheckStopFlag() const;
    // Ends the run with the status text.
    void Stop(const QString& Text, bool Succeeded);
    // Ends the run with FSuccessText.
    void Success();
    void StepProgress(int Count);
    // Ends the run as cancelled by the user.
    void UserCancel();

    QString Text() const { return FText.GetValue(); }
    void SetText(const QString& Text) { FText.SetValue(Text); }
    bool IsRunning() const { return FIsRunning; }
    bool Completed() const { return FCompleted; }
    bool Succeeded() const { return FSucceeded; }
    bool UserCancelled() const { return FUserCancelled; }
    int ItemNumber() const { return FItemNumber; }
    QString FailedInfo() const { return FFailedInfo.GetValue(); }
    void SetSuccessText(const QString& Text) { FSuccessText.SetValue(Text); }

private:
    TThreadString FText;
    std::atomic<bool> FStopFlag = false;
    std::atomic<bool> FCompleted = false;
    std::atomic<bool> FSucceeded = false;
    std::atomic<bool> FIsRunning = false;
    std::atomic<bool> FUserCancelled = false;
    std::atomic<int> FItemNumber = 0;
    std::atomic<int> FItemCount = 0;
    std::atomic<int> FErrorCount = 0;
    std::atomic<int> FDataSize = 0;
    std::atomic<int> FDataSpeed = 0;
    QDateTime FStartTime;
    qint64 FTickCount = 0;
    TThreadString FFailedInfo;
    TThreadString FSuccessText;
};

// A task whose work (DoExecute) runs on a worker thread.
class TWorkThread {
public:
    TWorkThread() = default;
    virtual ~TWorkThread();
    TWorkThread(const TWorkThread&) = delete;
    TWorkThread& operator=(const TWorkThread&) = delete;

    // The work, on the worker thread.
    virtual void DoExecute() {}
    // Starts a run (UI thread); the previous worker is freed first.
    virtual void Execute();
    // Asks the running work to end and waits for it.
    virtual void Cancel();
    // Stops a run (UI thread): "Операция прервана", Cancel, waits for the
    // worker; a run whose work has ended is only waited for.
    void Stop();
    // Waits for the run's end (UI thread), FOnCompleted included.
    void WaitFor();

    TTaskState& State() { return FState; }
    bool Started() const { return FStarted; }

    // Runs on the UI thread when a run has ended.
    std::function<void()> FOnCompleted;
    QString FName;

private:
    std::atomic<bool> FStarted = false;
    std::unique_ptr<TNotifyThread> FThread;
    TTaskState FState;
};

} // namespace Regmaven
