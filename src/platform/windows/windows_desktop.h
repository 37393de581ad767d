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

// Never fails on a Windows session; a non-empty error is left for symmetry
// with the X11 backend's failures.
std::unique_ptr<Desktop> openWindowsDesktop(std::string& error);

}  // namespace pointilla::platform
