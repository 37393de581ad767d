#pragma once
// Reading a Wayland connection's events without blocking the program for longer
// than asked: the connection is read only when the compositor sent something.

#include <wayland-client.h>

#include "common/result.h"
#include "platform/desktop/desktop_lost.h"

namespace pointilla::platform::wayland {

// Sends everything queued, waiting while the compositor's socket is full (a
// client that fills libwayland's own buffer meanwhile loses its connection).
// False when the connection broke or the compositor read nothing for 1 s.
bool flushAll(wl_display* display);

// Sends what is queued, waits up to timeoutMs (0: not at all) for events,
// reads and dispatches them. False when the connection broke.
bool pumpEvents(wl_display* display, int timeoutMs);

// DesktopLost once the connection broke (the compositor went away): nothing
// sent on it arrives any more.
Status<DesktopLost> stillConnected(wl_display* display);

}  // namespace pointilla::platform::wayland
