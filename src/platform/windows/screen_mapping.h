#pragma once
// Pure arithmetic between the program's screen positions (origin at the primary
// monitor's top-left corner) and what the Windows input functions take. Kept
// free of <windows.h> so that it is checked on every build.

#include "platform/desktop/desktop.h"

namespace pointilla::platform::windows {

// A rectangle of the virtual screen in Windows coordinates.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Windows places the primary monitor at the origin, but the origin is read
// from the monitor itself rather than assumed.
ScreenPoint toVirtualScreen(ScreenPoint point, ScreenPoint primaryOrigin);
ScreenPoint fromVirtualScreen(ScreenPoint point, ScreenPoint primaryOrigin);

// SendInput's absolute coordinates: 0..65535 across the whole virtual screen,
// where Windows takes the pixel floor(n * width / 65536). The smallest n that
// lands on the wanted pixel, clamped to the virtual screen.
struct AbsoluteInput {
    int dx = 0;
    int dy = 0;
    friend bool operator==(const AbsoluteInput&, const AbsoluteInput&) = default;
};
AbsoluteInput toAbsoluteInput(ScreenPoint virtualPoint, const ScreenRect& virtualScreen);

}  // namespace pointilla::platform::windows
