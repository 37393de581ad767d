#include "platform/wayland/common/event_pump.h"

#include <poll.h>

namespace pointilla::platform::wayland {

bool pumpEvents(wl_display* display, int timeoutMs) {
    while (wl_display_prepare_read(display) != 0) {
        if (wl_display_dispatch_pending(display) < 0) return false;
    }
    wl_display_flush(display);
    pollfd ready{wl_display_get_fd(display), POLLIN, 0};
    if (::poll(&ready, 1, timeoutMs) > 0) {
        if (wl_display_read_events(display) < 0) return false;
    } else {
        wl_display_cancel_read(display);
    }
    return wl_display_dispatch_pending(display) >= 0;
}

}  // namespace pointilla::platform::wayland
