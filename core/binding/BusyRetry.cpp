#include "core/binding/BusyRetry.h"

#include "core/binding/OrvekCodes.h"
#include "platform/Hook.h"

#include <QEventLoop>
#include <QTimer>

namespace {

void EventLoopPause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

THook<TBusyPause>& PauseHook()
{
    static THook<TBusyPause> hook(EventLoopPause);
    return hook;
}

} // namespace

std::int32_t CallWhileBusy(const TBusyRetry& Retry, const std::function<std::int32_t()>& Call)
{
    const TBusyPause pause = PauseHook().Get();
    std::int32_t code = 0;
    for (int tries = 1;; ++tries) {
        code = Call();
        if (!OrvekResult::IsBusy(code))
            break;
        pause(Retry.PauseMs);
        if (tries >= Retry.MaxTries)
            break;
    }
    return code;
}

TBusyPause SetBusyPause(TBusyPause Pause)
{
    return PauseHook().Set(std::move(Pause));
}
