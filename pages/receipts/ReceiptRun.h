#pragma once
// What the receipt generators share: the frame of a run that holds the port,
// and asking the register again while it answers a busy code without
// freezing the window (after each busy answer a short pause, then the
// pending events are handled, user input included, so a stop button is
// heard while the register stays busy).
//
//   TPortRun run(this);
//   Check(Driver().LockPort());
//   Check(CallWhileAnswering(80, [] { return Driver().FNOperation(); }, [this] { return FStopFlag; }));
#include <QPointer>
#include <cstdint>
#include <functional>
#include <limits>

class TPage;

struct TReceiptRetry {
    static constexpr int PauseMs = 10;
    // Tries of a wait with no stop button: about half a minute.
    static constexpr int BoundedTries = 3000;
};

// Calls Call until it answers something other than Busy, Stopped() turns
// true or MaxTries calls were made; returns the last code.
std::int32_t CallWhileAnswering(std::int32_t Busy, const std::function<std::int32_t()>& Call,
                                const std::function<bool()>& Stopped = {},
                                int MaxTries = std::numeric_limits<int>::max());

// The page's buttons off while it exists; at its end, on every path, the
// buttons back on (so the result panel shows the run's last code), then
// Restored (a page still there sets its own controls), then the port released.
class TPortRun {
public:
    explicit TPortRun(TPage* page, std::function<void()> Restored = {});
    ~TPortRun();
    TPortRun(const TPortRun&) = delete;
    TPortRun& operator=(const TPortRun&) = delete;

private:
    QPointer<TPage> FPage;
    std::function<void()> FRestored;
};
