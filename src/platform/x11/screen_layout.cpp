#include "platform/x11/screen_layout.h"

#include "platform/x11/x_handles.h"

namespace pointilla::platform::x11 {

MonitorRect queryPrimaryMonitor(Display* display, int screen, bool haveMonitors) {
    const MonitorRect whole{0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
    if (!haveMonitors) return whole;
    int count = 0;
    const MonitorsHandle monitors(
        XRRGetMonitors(display, RootWindow(display, screen), True, &count));
    if (!monitors || count <= 0) return whole;
    const XRRMonitorInfo* chosen = monitors.get();
    for (int i = 0; i < count; ++i) {
        if (monitors.get()[i].primary) {
            chosen = monitors.get() + i;
            break;
        }
    }
    return {chosen->x, chosen->y, chosen->width, chosen->height};
}

}  // namespace pointilla::platform::x11
