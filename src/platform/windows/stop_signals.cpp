// Ctrl+C and Ctrl+Break on the console are noted like SIGINT. There is no
// descriptor to wake the wait.

#include "platform/stop_signals.h"

#include <windows.h>

#include <csignal>

namespace pointilla::platform {
namespace {

volatile std::sig_atomic_t caughtSignal = 0;

BOOL WINAPI onConsoleControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    caughtSignal = SIGINT;
    return TRUE;
}

}  // namespace

StopSignals::StopSignals() { SetConsoleCtrlHandler(onConsoleControl, TRUE); }

StopSignals::~StopSignals() { SetConsoleCtrlHandler(onConsoleControl, FALSE); }

int StopSignals::caught() { return caughtSignal; }

void StopSignals::drain() const {}

// What a console program ended by Ctrl+C gives back.
int StopSignals::endAsRequested(int /*otherwise*/) const {
    return static_cast<int>(STATUS_CONTROL_C_EXIT);
}

}  // namespace pointilla::platform
