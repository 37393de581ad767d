#include "platform/windows/screen_mapping.h"

#include <algorithm>
#include <cstdint>

namespace pointilla::platform::windows {
namespace {

// The smallest n in 0..65535 with floor(n * extent / 65536) == offset.
int normalize(int offset, int extent) {
    if (extent <= 0) return 0;
    const std::int64_t clamped = std::clamp(offset, 0, extent - 1);
    const std::int64_t n = (clamped * 65536 + extent - 1) / extent;
    return static_cast<int>(std::min<std::int64_t>(n, 65535));
}

}  // namespace

ScreenPoint toVirtualScreen(ScreenPoint point, ScreenPoint primaryOrigin) {
    return {point.x + primaryOrigin.x, point.y + primaryOrigin.y};
}

ScreenPoint fromVirtualScreen(ScreenPoint point, ScreenPoint primaryOrigin) {
    return {point.x - primaryOrigin.x, point.y - primaryOrigin.y};
}

AbsoluteInput toAbsoluteInput(ScreenPoint virtualPoint, const ScreenRect& virtualScreen) {
    return {normalize(virtualPoint.x - virtualScreen.left, virtualScreen.width),
            normalize(virtualPoint.y - virtualScreen.top, virtualScreen.height)};
}

}  // namespace pointilla::platform::windows
