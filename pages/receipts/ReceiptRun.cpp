#include "pages/receipts/ReceiptRun.h"

#include "core/binding/BusyRetry.h"
#include "core/driver/untDriver.h"
#include "core/pages/untPages.h"
#include "platform/Guard.h"

#include <QCoreApplication>

std::int32_t CallWhileAnswering(std::int32_t Busy, const std::function<std::int32_t()>& Call,
                                const std::function<bool()>& Stopped, int MaxTries)
{
    TDriverJob job;   // events run between the tries
    std::int32_t code = Call();
    for (int tries = 1; code == Busy && tries < MaxTries; ++tries) {
        Pause(TReceiptRetry::PauseMs);
        QCoreApplication::processEvents();
        if (Stopped && Stopped())
            break;
        code = Call();
    }
    return code;
}

TPortRun::TPortRun(TPage* page, std::function<void()> Restored) : FPage(page), FRestored(std::move(Restored))
{
    page->EnableButtons(false);
}

TPortRun::~TPortRun()
{
    if (FPage) {
        RunGuarded([this] { FPage->EnableButtons(true); });
        if (FRestored)
            RunGuarded(FRestored);
    }
    Driver().UnlockPort();
}
