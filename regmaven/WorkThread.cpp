#include "regmaven/WorkThread.h"

#include "platform/Exceptions.h"

namespace Regmaven {

namespace {
const QString CancelledText = QStringLiteral("Операция отменена");
} // namespace

QString TThreadString::GetValue() const
{
    std::lock_guard lock(FLock);
    return FValue;
}

void TThreadString::SetValue(const QString& Value)
{
    std::lock_guard lock(FLock);
    FValue = Value;
}

void TTaskState::Start(int Count)
{
    FDataSize = 0;
    FDataSpeed = 0;
    FStartTime = QDateTime::currentDateTime();
    FCompleted = false;
    FSucceeded = false;
    FStopFlag = false;
    FTickCount = QDateTime::currentMSecsSinceEpoch();
    FIsRunning = true;
    FItemNumber = 0;
    FErrorCount = 0;
    FItemCount = Count;
    FUserCancelled = false;
    FFailedInfo.SetValue({});
}

void TTaskState::CheckStopFlag() const
{
    if (FStopFlag)
        throw EAbort(CancelledText);
}

void TTaskState::Stop(const QString& Text, bool Succeeded)
{
    FText.SetValue(Text);
    FStopFlag = true;
    FSucceeded = Succeeded;
    if (!Succeeded)
        FFailedInfo.SetValue(Text);
    FIsRunning = false;
    // Last: a run seen completed shows its whole outcome.
    FCompleted = true;
}

void TTaskState::Success()
{
    Stop(FSuccessText.GetValue(), true);
}

void TTaskState::StepProgress(int Count)
{
    FItemNumber += Count;
}

void TTaskState::UserCancel()
{
    Stop(CancelledText, false);
    FUserCancelled = true;
    FFailedInfo.SetValue(QStringLiteral("Операция отменена пользователем"));
}

TWorkThread::~TWorkThread()
{
    // Waits for a worker that still runs (its end is handed over meanwhile).
    FThread.reset();
}

void TWorkThread::Execute()
{
    FThread.reset();
    FThread = std::make_unique<TNotifyThread>([this](TNotifyThread*) { DoExecute(); });
    FThread->SetOnTerminate([this](TNotifyThread*) {
        FStarted = false;
        if (FOnCompleted)
            FOnCompleted();
    });
    // Started before the worker runs, so a Stop right after Execute reaches it.
    FStarted = true;
    FThread->Resume();
}

void TWorkThread::Cancel()
{
    FState.SetText(QStringLiteral("Операция отменяется..."));
    WaitFor();
}

void TWorkThread::Stop()
{
    if (!FStarted)
        return;
    // A run that has ended keeps its outcome; only its end is waited for.
    if (FState.IsRunning()) {
        FState.Stop(QStringLiteral("Операция прервана"), false);
        Cancel();
    }
    if (FThread) {
        FThread->Terminate();
        FThread->WaitFor();
    }
}

void TWorkThread::WaitFor()
{
    if (FThread)
        FThread->WaitFor();
}

} // namespace Regmaven
