#pragma once
// Which desktop backend a Linux session gets, decided from plain facts so that
// the rule reads in one place:
//   1. POINTILLA_BACKEND (x11 or a Wayland family's name) forces one;
//   2. X11 when no Wayland compositor is named (WAYLAND_DISPLAY unset) or the
//      session says it is an X11 one;
//   3. otherwise the family whose route the compositor offers: its globals
//      first, then the D-Bus services of the session.
// The families come from the table (wayland_family.h); tests may pass their own.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/desktop_open_error.h"
#include "common/result.h"
#include "platform/native/wayland_family.h"

namespace pointilla::platform {

inline constexpr std::string_view kX11BackendName = "x11";

// X11, or one of the Wayland families.
struct Backend {
    const WaylandFamily* wayland = nullptr;  // nullptr: X11

    std::string_view name() const { return wayland != nullptr ? wayland->name : kX11BackendName; }
    friend bool operator==(const Backend&, const Backend&) = default;
};

struct SessionFacts {
    std::string forced;          // POINTILLA_BACKEND, empty when unset
    std::string waylandDisplay;  // WAYLAND_DISPLAY
    std::string sessionType;     // XDG_SESSION_TYPE
};

// Steps 1 and 2: the backend, or nothing when the compositor must be asked.
// Fails with the value of POINTILLA_BACKEND when it names no backend of this build.
Result<std::optional<Backend>, std::string> backendFromSession(
    const SessionFacts& facts, std::span<const WaylandFamily> families = waylandFamilies());

// The D-Bus names that tell a family, in the order they are weighed.
std::vector<std::string_view> familyBusNames(
    std::span<const WaylandFamily> families = waylandFamilies());

// Step 3: the family that the compositor's globals (interface names) or the
// present D-Bus names point to; nullptr for a compositor none of them serves.
const WaylandFamily* familyOfCompositor(
    std::span<const std::string> globals, std::span<const std::string> busNames,
    std::span<const WaylandFamily> families = waylandFamilies());

// What an unserved compositor lacks, by the names of the routes we know.
std::string routesWeKnow(std::span<const WaylandFamily> families = waylandFamilies());

// What POINTILLA_BACKEND may name in this build: x11, then each family.
std::vector<BackendChoice> backendChoices(
    std::span<const WaylandFamily> families = waylandFamilies());

}  // namespace pointilla::platform
