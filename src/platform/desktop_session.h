#pragma once
// How the window program meets the desktop session it starts in: which
// backend it asks for, which window system the toolkit uses, and the name of
// the desktop one program runs per.

#include <string>

#include "platform/desktop/native_desktop.h"

namespace pointilla::platform {

// Asks the backend choice for X11 whatever the session ("--platform x11");
// nothing where the system has a single desktop.
void preferX11Backend();

// Points the toolkit at the window system of the desktop the automation got
// (native on a Wayland desktop, X11 otherwise) unless the person chose one, and
// returns that desktop's name in the local encoding: the display the
// single-program guard is per, "" where the session has a single desktop.
std::string prepareToolkitForDesktop(const DesktopNotes& notes);

}  // namespace pointilla::platform
