#pragma once
// Xlib's answer to a broken connection is an English line on standard error
// and the end of the program. Here a broken connection only raises a flag
// that its owner reads, and the call that met it returns.

#include <X11/Xlib.h>

namespace pointilla::platform::x11 {

// From now on a broken connection to `display` sets *broken (which must
// outlive the connection). Xlib's own message is silenced for every display.
void reportBrokenConnection(Display* display, bool* broken);

}  // namespace pointilla::platform::x11
