#pragma once
// Owners for what Xlib hands out, so every connection and reply is freed once.

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <memory>

namespace pointilla::platform::x11 {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayHandle = std::unique_ptr<Display, DisplayCloser>;

// Memory Xlib allocated for a reply (XGetKeyboardMapping, XIQueryDevice...).
struct XFreer {
    void operator()(void* data) const { XFree(data); }
};
template <typename T>
using XMemory = std::unique_ptr<T, XFreer>;

struct MonitorsFreer {
    void operator()(XRRMonitorInfo* monitors) const { XRRFreeMonitors(monitors); }
};
using MonitorsHandle = std::unique_ptr<XRRMonitorInfo, MonitorsFreer>;

}  // namespace pointilla::platform::x11
