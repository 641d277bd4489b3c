// The event bus: posts from any thread reach subscribers on their thread, in order.
#include "platform/EventBus.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>
#include <memory>

namespace {
void Deliver()
{
    QCoreApplication::processEvents();
}
} // namespace

TEST(EventBus, WorkerPostsArriveOnTheUIThreadInOrder)
{
    TEventBus bus;
    QObject receiver;
    QStringList got;
    bool onUIThread = true;
    bus.Subscribe(QStringLiteral("ReadEvent"), &receiver, [&](const QString& m) {
        got << m;
        onUIThread = onUIThread && QThread::currentThread() == QCoreApplication::instance()->thread();
    });
    bus.Subscribe(QStringLiteral("Other"), &receiver, [&](const QString& m) { got << QStringLiteral("other ") + m; });
    std::unique_ptr<QThread> worker(QThread::create([&bus] {
        for (int i = 1; i <= 100; ++i)
            bus.Post(QStringLiteral("ReadEvent"), QString::number(i));
    }));
    worker->start();
    worker->wait();
    EXPECT_TRUE(got.isEmpty());  // nothing runs on the worker
    Deliver();
    ASSERT_EQ(got.size(), 100);
    EXPECT_EQ(got.first(), QStringLiteral("1"));
    EXPECT_EQ(got.last(), QStringLiteral("100"));
    EXPECT_TRUE(onUIThread);
}

TEST(EventBus, LeavingTheBusDropsQueuedMessages)
{
    TEventBus bus;
    int got = 0;
    QObject stays;
    bus.Subscribe(QStringLiteral("c"), &stays, [&](const QString&) { ++got; });
    bus.Post(QStringLiteral("c"), QStringLiteral("x"));
    bus.Unsubscribe(QStringLiteral("c"), &stays);
    Deliver();
    EXPECT_EQ(got, 0);

    auto gone = std::make_unique<QObject>();
    bus.Subscribe(QStringLiteral("c"), gone.get(), [&](const QString&) { ++got; });
    EXPECT_EQ(bus.SubscriberCount(QStringLiteral("c")), 1);
    bus.Post(QStringLiteral("c"), QStringLiteral("x"));
    gone.reset();
    EXPECT_EQ(bus.SubscriberCount(QStringLiteral("c")), 0);
    Deliver();
    EXPECT_EQ(got, 0);
}
