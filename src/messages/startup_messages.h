#pragma once
// What the programs say when what they need at start-up is missing:
// the X display, or the registry control.

#include <string>

#include "common/control_failure.h"
#include "common/desktop_open_error.h"

namespace pointilla::messages {

// "Aucun affichage X : ...", naming the display tried.
std::string desktopOpenMessage(const DesktopOpenError& error);

// The warning shown when the Wayland desktop could not be used and the X11
// backend runs through XWayland instead: why, then what it means.
std::string xwaylandFallbackMessage(const DesktopOpenError& why);

// Names the control and, when its registration failed, the library. The lower
// layer's own reason (ControlFailure::detail) is not part of it.
std::string controlFailureMessage(const ControlFailure& failure);

}  // namespace pointilla::messages
