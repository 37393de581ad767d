#pragma once
// The desktop of a Windows session: pointer moves and left-button presses go in
// as real input through SendInput, the key state is the global one
// (GetAsyncKeyState), the primary monitor comes from GetMonitorInfo. Positions
// are physical pixels: the programs declare per-monitor DPI awareness in their
// manifest, so Windows scales nothing behind their back.

#include <memory>
#include <string>

#include "platform/desktop/desktop.h"

namespace pointilla::platform {

// The desktop of the session the program runs in; it never fails to open.
std::unique_ptr<Desktop> openWindowsDesktop();

}  // namespace pointilla::platform
