#pragma once
// TNotifyThread: a worker thread that runs one handler.
//
// Created suspended: nothing runs until Resume(). The handler runs entirely on
// the worker; an exception leaving it ends the thread and is kept in
// FatalException(). The thread's end reaches the UI thread through OnTerminate,
// which runs there before WaitFor() returns. Freeing the object sets Terminated
// and waits for the thread.
//
// Synchronize() runs a call on the UI thread and waits for it; the UI thread
// keeps serving such calls while it waits for a worker, so they cannot deadlock.
#include <QThread>
#include <exception>
#include <functional>

class TNotifyThread : public QThread {
    Q_OBJECT
public:
    using TNotifyEvent = std::function<void(TNotifyThread* Sender)>;

    explicit TNotifyThread(TNotifyEvent OnExecute = {});
    ~TNotifyThread() override;

    void Resume();
    void Terminate();
    bool Terminated() const;
    // Waits for the thread's end (serving synchronised calls on the UI thread).
    void WaitFor();
    bool Finished() const;
    // Threads started and not yet ended, of the whole program.
    static int RunningCount();

    // Runs on the UI thread once the handler has ended.
    void SetOnTerminate(std::function<void(TNotifyThread* Sender)> handler);
    const std::function<void(TNotifyThread* Sender)>& OnTerminate() const { return FOnTerminate; }
    // The exception that ended the handler, if any.
    std::exception_ptr FatalException() const { return FFatalException; }

    // Runs call on the UI thread and waits for it; exceptions of the call
    // are raised again in the caller.
    static void Synchronize(const std::function<void()>& call);
    // Serves pending synchronised calls (UI thread).
    static void CheckSynchronize();

protected:
    void run() override;
    virtual void Execute();

private:
    TNotifyEvent FOnExecute;
    std::function<void(TNotifyThread*)> FOnTerminate;
    std::exception_ptr FFatalException;
};
