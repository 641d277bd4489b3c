// Version, service state and the worker thread.
#include "core/support/NotifyThread.h"
#include "core/support/ServiceManager.h"
#include "core/support/VersionInfo.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>

TEST(VersionInfo, ProjectVersion)
{
    EXPECT_EQ(GetFileVersionInfoStr(), QStringLiteral(LUMAQ_VERSION));
    EXPECT_EQ(GetModuleVersion().count(u'.'), 3);
    const TFileVersionInfo v = VersionFromText("1.2.3.4");
    EXPECT_EQ(v.MajorVersion, 1);
    EXPECT_EQ(v.Build, 4);
    for (const QString text : {"", "x", "1.2.3.4.5", "70000.1.1.1"}) {
        const TFileVersionInfo none = VersionFromText(text);
        EXPECT_EQ(none.MajorVersion + none.MinorVersion + none.Release + none.Build, 0);
    }
    EXPECT_EQ(QFileInfo(GetModFileName()).fileName(), "test_support");
    EXPECT_EQ(GetModuleFileName(), GetModFileName());
}

TEST(ServiceManager, FakeStates)
{
    FakeServiceState fake;
    EXPECT_EQ(ServiceGetStatus("Tallisk"), ssStopped);
    EXPECT_FALSE(ServiceInstalled("Tallisk"));
    EXPECT_FALSE(ServiceRunning("Tallisk"));
    fake.SetState("Tallisk", ssStopped);
    EXPECT_TRUE(ServiceInstalled("Tallisk"));
    EXPECT_FALSE(ServiceRunning("Tallisk"));
    fake.SetState("Tallisk", ssRunning);
    EXPECT_TRUE(ServiceRunning("Tallisk"));
    EXPECT_EQ(ServiceGetStatus("Tallisk"), 4);
}

TEST(ServiceManager, SystemdMapping)
{
    EXPECT_EQ(SystemdServiceState::StateFromActiveState("active"), ssRunning);
    EXPECT_EQ(SystemdServiceState::StateFromActiveState("activating"), ssStartPending);
    EXPECT_EQ(SystemdServiceState::StateFromActiveState("deactivating"), ssStopPending);
    EXPECT_EQ(SystemdServiceState::StateFromActiveState("failed"), ssStopped);
    // A unit that does not exist (or no systemd at all) is not installed.
    SystemdServiceState systemd;
    EXPECT_FALSE(systemd.QueryServiceState("lumaq-no-such-service-4711").has_value());
    EXPECT_FALSE(systemd.QueryServiceState("--help").has_value());
}

TEST(NotifyThread, StartsSuspendedRunsAndReportsItsEnd)
{
    std::atomic<int> runs = 0;
    QThread* worker = nullptr;
    int terminated = 0;
    bool terminatedOnUiThread = false;
    {
        TNotifyThread thread([&](TNotifyThread* Sender) {
            worker = QThread::currentThread();
            EXPECT_EQ(Sender->objectName(), "reader");
            EXPECT_EQ(TNotifyThread::RunningCount(), 1);
            ++runs;
        });
        thread.setObjectName("reader");
        thread.SetOnTerminate([&](TNotifyThread*) {
            ++terminated;
            terminatedOnUiThread = QThread::currentThread() == qApp->thread();
        });
        EXPECT_FALSE(thread.isRunning());
        EXPECT_EQ(runs, 0);
        EXPECT_EQ(TNotifyThread::RunningCount(), 0);   // a suspended thread is not running
        thread.Resume();
        thread.WaitFor();
        EXPECT_EQ(TNotifyThread::RunningCount(), 0);
        EXPECT_TRUE(thread.Finished());
        EXPECT_EQ(runs, 1);
        EXPECT_EQ(terminated, 1);
        EXPECT_FALSE(thread.FatalException());
    }
    EXPECT_NE(worker, qApp->thread());
    EXPECT_TRUE(terminatedOnUiThread);
    EXPECT_EQ(terminated, 1);
}

TEST(NotifyThread, FreeingStopsAndWaitsForTheWorker)
{
    std::atomic<bool> started = false, sawTerminate = false;
    {
        TNotifyThread thread([&](TNotifyThread* Sender) {
            started = true;
            for (long i = 0; i < 1000000000L && !Sender->Terminated(); ++i)
                QThread::yieldCurrentThread();
            sawTerminate = Sender->Terminated();
        });
        thread.Resume();
        for (long i = 0; i < 1000000000L && !started; ++i)
            QThread::yieldCurrentThread();
        ASSERT_TRUE(started);
    }
    EXPECT_TRUE(sawTerminate);
}

TEST(NotifyThread, SynchronizedCallsAndHandlerErrors)
{
    int onUi = 0;
    TNotifyThread thread([&](TNotifyThread*) {
        for (int i = 0; i < 3; ++i)
            TNotifyThread::Synchronize([&] { onUi += QThread::currentThread() == qApp->thread(); });
        throw std::runtime_error("device lost");
    });
    thread.Resume();
    thread.WaitFor();
    EXPECT_EQ(onUi, 3);
    EXPECT_EQ(TNotifyThread::RunningCount(), 0);   // also after an error
    ASSERT_TRUE(thread.FatalException());
    EXPECT_THROW(std::rethrow_exception(thread.FatalException()), std::runtime_error);
}

TEST(NotifyThread, EndReachesTheEventLoopWithoutWaiting)
{
    bool ended = false;
    TNotifyThread thread([](TNotifyThread*) {});
    thread.SetOnTerminate([&](TNotifyThread*) { ended = true; });
    thread.Resume();
    for (int i = 0; i < 100000 && !ended; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_TRUE(ended);
}
