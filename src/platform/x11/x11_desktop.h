#pragma once
// The desktop of an X11 display: pointer moves and left-button presses go in as
// real input through XTEST, the key state is the server's global one, screen
// geometry comes from RandR. Documents open with xdg-open.
//
// The backend keeps its own Xlib connection, so it can live inside a Qt
// application next to the toolkit's own connection. Use it from one thread.
// Include it before any Xlib header: Xlib defines `Status` as a macro.

#include <memory>
#include <string>

#include "common/desktop_open_error.h"
#include "common/result.h"
#include "platform/desktop/desktop.h"

namespace pointilla::platform {

// Opens the display (nullptr: $DISPLAY).
Result<std::unique_ptr<Desktop>, DesktopOpenError> openX11Desktop(const char* displayName);

}  // namespace pointilla::platform
