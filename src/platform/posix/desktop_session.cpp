#include "platform/desktop_session.h"

#include <cstdlib>

namespace pointilla::platform {

void preferX11Backend() { ::setenv("POINTILLA_BACKEND", "x11", 1); }

std::string prepareToolkitForDesktop(const DesktopNotes& notes) {
    const bool onWayland = notes.backend != "x11";
    // The window goes where the automation goes: native on a Wayland
    // desktop, through X11 (XWayland) otherwise, unless the person chose.
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    if (chosen == nullptr || *chosen == '\0') {
        ::setenv("QT_QPA_PLATFORM", onWayland ? "wayland;xcb" : "xcb", 1);
    }
    const char* display = std::getenv(onWayland ? "WAYLAND_DISPLAY" : "DISPLAY");
    return display != nullptr ? display : "";
}

}  // namespace pointilla::platform
