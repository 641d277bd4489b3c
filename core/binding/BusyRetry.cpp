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
