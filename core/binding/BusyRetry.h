#pragma once
// Waiting for the register: a pause during which the windows keep painting,
// and calling a driver method again while the register is busy with an
// earlier command (result 80 or 75).
//
//   code = CallWhileBusy({50, 5}, [&] { return d.PrintStringWithFont(); });
//   Check(code);
#include <cstdint>
#include <functional>

// Waits ms milliseconds with the event loop running, or runs the pause a test
// installed. Keys and clicks meanwhile are dropped; a window's close request
// reaches the window (its closeEvent decides what a close during a wait does).
void Pause(int ms);
using TPause = std::function<void(int ms)>;
// Installs another pause (tests); returns the one before. Null restores it.
TPause SetPause(TPause pause);

struct TBusyRetry {
    int PauseMs = 0;   // the pause after each busy answer
    int MaxTries = 1;  // calls at most
};

// Calls Call until it answers a code that is not busy or MaxTries calls were
// made; every busy answer, the last included, is followed by the pause.
// Returns the last code, for the caller to check.
std::int32_t CallWhileBusy(const TBusyRetry& Retry, const std::function<std::int32_t()>& Call);
