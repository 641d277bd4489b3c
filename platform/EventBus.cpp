#include "platform/EventBus.h"

#include "platform/Guard.h"

#include <QMetaObject>
#include <algorithm>

void TEventBus::Subscribe(const QString& Channel, QObject* Receiver, THandler Handler)
{
    {
        std::lock_guard guard(FLock);
        FSubscribers.push_back({FNextId++, Channel, Receiver, std::make_shared<THandler>(std::move(Handler))});
    }
    QObject::connect(Receiver, &QObject::destroyed, Receiver, [this, Receiver] { Remove(Receiver, nullptr); },
                     Qt::DirectConnection);
}

void TEventBus::Unsubscribe(const QString& Channel, QObject* Receiver)
{
    Remove(Receiver, &Channel);
}

void TEventBus::Remove(QObject* Receiver, const QString* Channel)
{
    std::lock_guard guard(FLock);
    std::erase_if(FSubscribers, [&](const TSubscriber& s) {
        return s.Receiver == Receiver && (!Channel || s.Channel == *Channel);
    });
}

bool TEventBus::Subscribed(quint64 Id) const
{
    std::lock_guard guard(FLock);
    return std::any_of(FSubscribers.begin(), FSubscribers.end(), [Id](const TSubscriber& s) { return s.Id == Id; });
}

void TEventBus::Post(const QString& Channel, const QString& Msg)
{
    std::lock_guard guard(FLock);
    for (const TSubscriber& s : FSubscribers) {
        if (s.Channel != Channel)
            continue;
        // Queued to the receiver's thread; dropped with the receiver, and
        // skipped when it left the channel meanwhile.
        QMetaObject::invokeMethod(
            s.Receiver,
            [this, id = s.Id, handler = s.Handler, Msg] {
                if (Subscribed(id))
                    RunGuarded([&] { (*handler)(Msg); });
            },
            Qt::QueuedConnection);
    }
}

int TEventBus::SubscriberCount(const QString& Channel) const
{
    std::lock_guard guard(FLock);
    return int(std::count_if(FSubscribers.begin(), FSubscribers.end(),
                             [&](const TSubscriber& s) { return s.Channel == Channel; }));
}

TEventBus& EventBus()
{
    static TEventBus bus;
    return bus;
}
