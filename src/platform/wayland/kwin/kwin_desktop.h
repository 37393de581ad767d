#pragma once
// The desktop of a KDE Plasma (KWin) Wayland session: pointer moves and
// left-button presses through KWin's fake input, the pointer position from a
// KWin script, the hot key through KDE's global shortcuts. Coordinates are
// relative to the primary output's top-left corner, as on X11.

#include <memory>

#include "common/desktop_open_error.h"
#include "common/result.h"
#include "platform/desktop/desktop.h"

namespace pointilla::platform::wayland {

// Connects to $WAYLAND_DISPLAY and the session bus.
Result<std::unique_ptr<Desktop>, DesktopOpenError> openKwinDesktop();

}  // namespace pointilla::platform::wayland
