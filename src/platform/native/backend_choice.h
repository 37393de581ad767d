#pragma once
// Which desktop backend a Linux session gets, decided from plain facts so that
// the rule reads in one place:
//   1. POINTILLA_BACKEND (x11, wlroots, kwin, gnome) forces one;
//   2. X11 when no Wayland compositor is named (WAYLAND_DISPLAY unset) or the
//      session says it is an X11 one;
//   3. otherwise the family whose route the compositor offers: its globals
//      first, then the D-Bus services of the session.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace pointilla::platform {

enum class Backend { X11, Wlroots, Kwin, Gnome };

// "x11", "wlroots", "kwin", "gnome".
std::string_view backendName(Backend backend);

struct SessionFacts {
    std::string forced;          // POINTILLA_BACKEND, empty when unset
    std::string waylandDisplay;  // WAYLAND_DISPLAY
    std::string sessionType;     // XDG_SESSION_TYPE
};

// Steps 1 and 2: the backend, or nothing when the compositor must be asked.
// Fails with the value of POINTILLA_BACKEND when it names no backend.
Result<std::optional<Backend>, std::string> backendFromSession(const SessionFacts& facts);

// The D-Bus names that tell a family, in the order they are weighed.
std::span<const std::string_view> familyBusNames();

// Step 3: the family that the compositor's globals (interface names) or the
// present D-Bus names point to; nothing for a compositor none of them serves.
std::optional<Backend> familyOfCompositor(std::span<const std::string> globals,
                                          std::span<const std::string> busNames);

// What an unserved compositor lacks, by the names of the routes we know.
std::string routesWeKnow();

}  // namespace pointilla::platform
