#pragma once
// Reading a Wayland connection's events without blocking the program for longer
// than asked: the connection is read only when the compositor sent something.

#include <wayland-client.h>

namespace pointilla::platform::wayland {

// Sends what is queued, waits up to timeoutMs (0: not at all) for events,
// reads and dispatches them. False when the connection broke.
bool pumpEvents(wl_display* display, int timeoutMs);

}  // namespace pointilla::platform::wayland
