#pragma once
// The desktop of an X11 display: pointer moves and left-button presses go in as
// real input through XTEST, the key state is the server's global one, screen
// geometry comes from RandR. Documents open with xdg-open.
//
// The backend keeps its own Xlib connection, so it can live inside a Qt
// application next to the toolkit's own connection. Use it from one thread.

#include <memory>
#include <string>

#include "platform/desktop/desktop.h"

namespace pointilla::platform {

// Opens the display (nullptr: $DISPLAY). A missing or unreachable display, or
// one without the XTEST extension, gives nullptr and a French message in error.
std::unique_ptr<Desktop> openX11Desktop(const char* displayName, std::string& error);

}  // namespace pointilla::platform
