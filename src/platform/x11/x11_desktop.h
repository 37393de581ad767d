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

#include "common/result.h"
#include "platform/desktop/desktop.h"

namespace pointilla::platform {

// Why a display could not serve as the desktop; the programs word it for people.
struct DesktopOpenError {
    enum class Kind {
        NoDisplayNamed,  // no name given and $DISPLAY unset or empty
        Unreachable,     // no such display, or it refused the connection
        NoXTest,         // the display cannot take injected pointer input
    };
    Kind kind = Kind::NoDisplayNamed;
    std::string display;  // the name tried; empty for NoDisplayNamed
};

// Opens the display (nullptr: $DISPLAY).
Result<std::unique_ptr<Desktop>, DesktopOpenError> openX11Desktop(const char* displayName);

}  // namespace pointilla::platform
