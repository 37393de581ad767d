#pragma once
// One frame of what a headless mutter shows on its primary monitor, pointer
// drawn in: a screen-cast session of mutter's own on the session bus.

#include <QImage>
#include <optional>

namespace pointilla::testing {

std::optional<QImage> grabPrimaryMonitor();

}  // namespace pointilla::testing
