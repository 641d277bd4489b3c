#pragma once
// Acting at a given point of a page worker's driver calls.
#include "core/support/NotifyThread.h"
#include "tests/DriverTestSupport.h"

#include <functional>
#include <memory>

// Runs `action` on the UI thread at the k-th call of the method that reaches
// the test register, once; the calling worker waits for it. A test clears
// TestRegister().OnCall when it ends.
inline void AtCall(OrvekMethod method, int k, std::function<void()> action)
{
    auto count = std::make_shared<int>(0);
    TestRegister().OnCall = [=](OrvekMethod called) {
        if (called == method && ++*count == k)
            TNotifyThread::Synchronize(action);
    };
}
