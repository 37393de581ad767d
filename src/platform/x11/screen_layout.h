#pragma once
// Where the primary monitor lies on the X screen. Scenario positions count
// from its top-left corner, X from the screen's; this converts between them.

#include <X11/Xlib.h>

#include <algorithm>

#include "platform/desktop/desktop.h"

namespace pointilla::platform::x11 {

struct MonitorRect {
    int x = 0;  // in root-window pixels
    int y = 0;
    int width = 0;
    int height = 0;
};

// The primary monitor through RandR, the first monitor when none is primary,
// the whole screen without RandR 1.5.
MonitorRect queryPrimaryMonitor(Display* display, int screen, bool haveMonitors);

class ScreenLayout {
  public:
    void setPrimary(MonitorRect primary) { primary_ = primary; }
    const MonitorRect& primary() const { return primary_; }

    ScreenPoint toScreen(int rootX, int rootY) const {
        return {rootX - primary_.x, rootY - primary_.y};
    }
    // Root coordinates travel as 16-bit numbers: a position beyond them is
    // brought to their limit (the server then keeps the pointer on the screen)
    // rather than wrapped round to some other place.
    ScreenPoint toRoot(ScreenPoint point) const {
        return {clampToWire(static_cast<long long>(point.x) + primary_.x),
                clampToWire(static_cast<long long>(point.y) + primary_.y)};
    }
    ScreenSize size() const { return {primary_.width, primary_.height}; }

  private:
    static int clampToWire(long long value) {
        return static_cast<int>(std::clamp<long long>(value, -32768, 32767));
    }

    MonitorRect primary_;
};

}  // namespace pointilla::platform::x11
