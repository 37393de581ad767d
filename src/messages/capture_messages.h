#pragma once
// What the window says about click capture: its entry, the count while it
// runs, and why it is missing or limited on some desktops.

#include <string>

namespace pointilla::messages {

// The menu entry, in "Options" and in the tray menu.
std::string clickCaptureEntry();

// The status bar while capturing: « Capture des clics : 3 clics ».
std::string clickCaptureCount(int clicks);

// The tray icon's tooltip while capturing.
std::string clickCaptureToolTip();

// The entry's tooltip: what it does, and, when only X11 programs' clicks are
// seen (X11 through XWayland), what it cannot see.
std::string clickCaptureHint(bool x11ProgramsOnly);

// The entry's tooltip where the desktop keeps clicks from other programs.
std::string clickCaptureUnavailable();

// The desktop refused to let the program listen.
std::string clickCaptureRefused();

}  // namespace pointilla::messages
