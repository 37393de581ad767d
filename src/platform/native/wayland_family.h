#pragma once
// A native Wayland family: the compositors that one backend serves. A family is
// a folder under platform/wayland plus one row in wayland_families.cpp; the
// backend choice, the start-up messages and the moves benchmark all read that
// table, and a family that CMake leaves out (POINTILLA_WAYLAND_<NAME>=OFF) has
// no row.

#include <memory>
#include <span>
#include <string_view>

#include "common/desktop_open_error.h"
#include "common/result.h"
#include "platform/desktop/desktop.h"

namespace pointilla::platform {

struct WaylandFamily {
    // POINTILLA_BACKEND's value and DesktopNotes::backend, e.g. "wlroots".
    std::string_view name;
    // The desktops people know it by, for the start-up words, e.g. "sway".
    std::string_view desktops;
    // Beginnings of the compositor's global interface names that tell it.
    std::span<const std::string_view> globals;
    // Session bus names that tell it when no family's global does.
    std::span<const std::string_view> busNames;
    // What it uses of a compositor, named when a compositor offers no route.
    std::string_view route;
    Result<std::unique_ptr<Desktop>, DesktopOpenError> (*open)();
};

// The families this build has, in the order the choice weighs them.
std::span<const WaylandFamily> waylandFamilies();

}  // namespace pointilla::platform
