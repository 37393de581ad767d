#pragma once
// Why a desktop could not be opened; the programs word it for people.

#include <string>
#include <utility>
#include <vector>

namespace pointilla {

// A backend POINTILLA_BACKEND may name, with the desktops people know it by.
struct BackendChoice {
    std::string name;      // "wlroots"
    std::string desktops;  // "sway"
};

struct DesktopOpenError {
    enum class Kind {
        NoDisplayNamed,      // no name given and $DISPLAY unset or empty
        Unreachable,         // no such display, or it refused the connection
        NoXTest,             // the display cannot take injected pointer input
        SingleDesktopNamed,  // a display named where there is a single desktop (Windows)
        CompositorLacks,     // a Wayland compositor without what automation needs
        WaylandUnreachable,  // no Wayland compositor at that socket
        UnknownBackend,      // POINTILLA_BACKEND names no backend (display: its value)
        WaylandLeftOut,      // a Wayland session, and this build has no Wayland family
    };
    DesktopOpenError() = default;
    DesktopOpenError(Kind why, std::string name) : kind(why), display(std::move(name)) {}
    static DesktopOpenError compositorLacks(std::string display, std::string compositor,
                                            std::string missing) {
        DesktopOpenError error(Kind::CompositorLacks, std::move(display));
        error.compositor = std::move(compositor);
        error.missing = std::move(missing);
        return error;
    }
    static DesktopOpenError unknownBackend(std::string value, std::vector<BackendChoice> choices) {
        DesktopOpenError error(Kind::UnknownBackend, std::move(value));
        error.choices = std::move(choices);
        return error;
    }

    Kind kind = Kind::NoDisplayNamed;
    std::string display;  // the name tried; empty for NoDisplayNamed
    // CompositorLacks: the compositor as it calls itself ("sway", "KWin") or, when
    // unknown, its socket; and what it lacks, by the protocol or service's own
    // names ("zwlr_virtual_pointer_manager_v1").
    std::string compositor;
    std::string missing;
    // UnknownBackend: what POINTILLA_BACKEND may name in this build.
    std::vector<BackendChoice> choices;
};

}  // namespace pointilla
