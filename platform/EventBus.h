#pragma once
// A small event bus: any thread posts a text message on a named channel; each
// subscriber's handler gets it later on the subscriber's thread (the UI
// thread for a widget), in the order of posting.
//
//   EventBus().Subscribe(QStringLiteral("ReadEvent"), this, [this](const QString& m) { OnReadEvent(m); });
//   EventBus().Post(QStringLiteral("ReadEvent"), QString::number(N));   // from a worker
//   EventBus().Unsubscribe(QStringLiteral("ReadEvent"), this);
//
// A subscriber leaves the bus when it unsubscribes or is destroyed; messages
// still queued for it then are dropped. Handlers run through the guard.
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class TEventBus {
public:
    using THandler = std::function<void(const QString& Msg)>;

    void Subscribe(const QString& Channel, QObject* Receiver, THandler Handler);
    void Unsubscribe(const QString& Channel, QObject* Receiver);
    // Thread-safe; returns at once.
    void Post(const QString& Channel, const QString& Msg);
    // Subscribers of the channel now.
    int SubscriberCount(const QString& Channel) const;

private:
    struct TSubscriber {
        quint64 Id;
        QString Channel;
        QObject* Receiver;
        std::shared_ptr<THandler> Handler;
    };
    bool Subscribed(quint64 Id) const;
    void Remove(QObject* Receiver, const QString* Channel);

    mutable std::mutex FLock;
    std::vector<TSubscriber> FSubscribers;
    quint64 FNextId = 1;
};

// The program's bus.
TEventBus& EventBus();
