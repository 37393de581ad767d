#include "platform/wayland/common/event_pump.h"

#include <poll.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace pointilla::platform::wayland {

bool flushAll(wl_display* display) {
    while (wl_display_flush(display) < 0) {
        if (errno != EAGAIN) return false;
        // A compositor that reads nothing for a whole second is stuck: give up.
        pollfd writable{wl_display_get_fd(display), POLLOUT, 0};
        const int ready = ::poll(&writable, 1, 1000);
        if (ready == 0 || (ready < 0 && errno != EINTR)) return false;
    }
    return true;
}

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

Status<DesktopLost> stillConnected(wl_display* display) {
    const int error = wl_display_get_error(display);
    if (error == 0) return {};
    return fail(DesktopLost{std::string("Wayland connection broken: ") + std::strerror(error)});
}

}  // namespace pointilla::platform::wayland
