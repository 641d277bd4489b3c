#include "core/binding/BusyRetry.h"

#include "core/binding/OrvekCodes.h"
#include "platform/Hook.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

namespace {

// Drops what the user types and clicks while it lives; every other event,
// a window's close request among them, goes on.
class TInputBlock : public QObject {
public:
    TInputBlock() { QCoreApplication::instance()->installEventFilter(this); }
    ~TInputBlock() override { QCoreApplication::instance()->removeEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (!event->spontaneous())
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonRelease:
        case QEvent::NonClientAreaMouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::TabletMove:
            return true;
        default:
            return false;
        }
    }
};

void EventLoopPause(int ms)
{
    // Not QEventLoop::ExcludeUserInputEvents: it holds back a window's close
    // request too, so the close box would do nothing until the waiting ends.
    const TInputBlock block;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

THook<TPause>& PauseHook()
{
    static THook<TPause> hook(EventLoopPause);
    return hook;
}

} // namespace

void Pause(int ms)
{
    PauseHook().Get()(ms);
}

TPause SetPause(TPause pause)
{
    return PauseHook().Set(std::move(pause));
}

std::int32_t CallWhileBusy(const TBusyRetry& Retry, const std::function<std::int32_t()>& Call)
{
    std::int32_t code = 0;
    for (int tries = 1;; ++tries) {
        code = Call();
        if (!OrvekResult::IsBusy(code))
            break;
        Pause(Retry.PauseMs);
        if (tries >= Retry.MaxTries)
            break;
    }
    return code;
}
