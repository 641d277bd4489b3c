#include "core/support/NotifyThread.h"

#include "platform/Guard.h"

#include <QCoreApplication>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace {

struct SyncRequest {
    const std::function<void()>* call;
    std::exception_ptr error;
    bool done = false;
};

struct SyncQueue {
    std::mutex lock;
    std::condition_variable served;
    std::deque<SyncRequest*> pending;
};

SyncQueue& Queue()
{
    static SyncQueue queue;
    return queue;
}

std::atomic<int> Running{0};

bool OnMainThread()
{
    QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

} // namespace

TNotifyThread::TNotifyThread(TNotifyEvent OnExecute) : FOnExecute(std::move(OnExecute)) {}

TNotifyThread::~TNotifyThread()
{
    Terminate();
    WaitFor();
}

void TNotifyThread::Resume()
{
    if (isRunning())
        return;
    ++Running;
    start();
}

int TNotifyThread::RunningCount()
{
    return Running.load();
}

void TNotifyThread::Terminate()
{
    requestInterruption();
}

bool TNotifyThread::Terminated() const
{
    return isInterruptionRequested();
}

bool TNotifyThread::Finished() const
{
    return isFinished();
}

void TNotifyThread::WaitFor()
{
    if (!OnMainThread()) {
        wait();
        return;
    }
    while (!wait(QDeadlineTimer(10)))
        CheckSynchronize();
    CheckSynchronize();
}

void TNotifyThread::SetOnTerminate(std::function<void(TNotifyThread*)> handler)
{
    FOnTerminate = std::move(handler);
}

void TNotifyThread::run()
{
    try {
        Execute();
    } catch (...) {
        FFatalException = std::current_exception();
    }
    --Running;
    if (FOnTerminate)
        Synchronize([this] { RunGuarded([this] { FOnTerminate(this); }); });
}

void TNotifyThread::Execute()
{
    if (FOnExecute)
        FOnExecute(this);
}

void TNotifyThread::Synchronize(const std::function<void()>& call)
{
    if (OnMainThread()) {
        call();
        return;
    }
    SyncQueue& queue = Queue();
    SyncRequest request{&call, nullptr};
    {
        std::lock_guard guard(queue.lock);
        queue.pending.push_back(&request);
    }
    QMetaObject::invokeMethod(QCoreApplication::instance(), &TNotifyThread::CheckSynchronize, Qt::QueuedConnection);
    std::unique_lock guard(queue.lock);
    queue.served.wait(guard, [&] { return request.done; });
    if (request.error)
        std::rethrow_exception(request.error);
}

void TNotifyThread::CheckSynchronize()
{
    SyncQueue& queue = Queue();
    for (;;) {
        SyncRequest* request = nullptr;
        {
            std::lock_guard guard(queue.lock);
            if (queue.pending.empty())
                return;
            request = queue.pending.front();
            queue.pending.pop_front();
        }
        try {
            (*request->call)();
        } catch (...) {
            request->error = std::current_exception();
        }
        {
            std::lock_guard guard(queue.lock);
            request->done = true;
        }
        queue.served.notify_all();
    }
}
