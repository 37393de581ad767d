#include <cstdlib>
#include <string>
#include <system_error>
#include <vector>

#include "platform/desktop/native_desktop.h"
#include "platform/native/backend_choice.h"
#include "platform/native/session_bus_names.h"
#include "platform/x11/x11_desktop.h"
#if POINTILLA_WAYLAND_COMMON
#include "platform/wayland/common/registry_globals.h"
#endif
// One line per Wayland family, enabled by its build target's presence.
#if POINTILLA_WAYLAND_WLROOTS
#include "platform/wayland/wlroots/wlroots_desktop.h"
#endif
#if POINTILLA_WAYLAND_KWIN
#include "platform/wayland/kwin/kwin_desktop.h"
#endif
#if POINTILLA_WAYLAND_GNOME
#include "platform/wayland/gnome/gnome_desktop.h"
#endif

namespace pointilla::platform {
namespace {

using OpenResult = Result<std::unique_ptr<Desktop>, DesktopOpenError>;

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The compositor as people know it, for messages.
std::string compositorName() {
    const std::string desktop = environment("XDG_CURRENT_DESKTOP");
    return desktop.empty() ? environment("WAYLAND_DISPLAY") : desktop;
}

// The interface names of the compositor's globals; empty when it cannot be reached.
std::vector<std::string> compositorGlobals() {
#if POINTILLA_WAYLAND_COMMON
    const wayland::DisplayHandle display(wl_display_connect(nullptr));
    if (!display) return {};
    const auto globals = wayland::RegistryGlobals::read(display.get());
    return globals ? wayland::interfaceNames(globals->all()) : std::vector<std::string>{};
#else
    return {};
#endif
}

OpenResult openFamily(Backend family) {
#if POINTILLA_WAYLAND_WLROOTS
    if (family == Backend::Wlroots) return wayland::openWlrootsDesktop();
#endif
#if POINTILLA_WAYLAND_KWIN
    if (family == Backend::Kwin) return wayland::openKwinDesktop();
#endif
#if POINTILLA_WAYLAND_GNOME
    if (family == Backend::Gnome) return wayland::openGnomeDesktop();
#endif
    if (family == Backend::X11) return openX11Desktop(nullptr);
    // A family this build leaves out: the compositor lacks nothing we can use.
    return fail(DesktopOpenError::compositorLacks(environment("WAYLAND_DISPLAY"), compositorName(),
                                                  routesWeKnow()));
}

}  // namespace

OpenResult openNativeDesktop(const char* displayName, DesktopNotes& notes) {
    SessionFacts facts{environment("POINTILLA_BACKEND"), environment("WAYLAND_DISPLAY"),
                       environment("XDG_SESSION_TYPE")};
    // An X display named on the command line asks for X11.
    if (facts.forced.empty() && displayName != nullptr) facts.forced = backendName(Backend::X11);
    const auto fromSession = backendFromSession(facts);
    if (!fromSession) {
        return fail(DesktopOpenError{DesktopOpenError::Kind::UnknownBackend, fromSession.error()});
    }
    if (*fromSession == Backend::X11) {
        notes.backend = backendName(Backend::X11);
        return openX11Desktop(displayName);
    }

    OpenResult opened = fail(DesktopOpenError{});
    if (fromSession->has_value()) {
        opened = openFamily(**fromSession);
        if (opened) notes.backend = backendName(**fromSession);
        // Forced: what was asked for, or why not; no fallback.
        return opened;
    }
    const std::vector<std::string> globals = compositorGlobals();
    if (globals.empty()) {
        opened = fail(
            DesktopOpenError{DesktopOpenError::Kind::WaylandUnreachable, facts.waylandDisplay});
    } else {
        std::vector<std::string> busNames;
        auto family = familyOfCompositor(globals, busNames);
        if (!family) {
            busNames = presentBusNames(familyBusNames());
            family = familyOfCompositor(globals, busNames);
        }
        if (family) {
            opened = openFamily(*family);
            if (opened) {
                notes.backend = backendName(*family);
                return opened;
            }
        } else {
            opened = fail(DesktopOpenError::compositorLacks(facts.waylandDisplay, compositorName(),
                                                            routesWeKnow()));
        }
    }
    // XWayland reaches at least the programs that run under it.
    auto x11 = openX11Desktop(nullptr);
    if (!x11) return opened;
    notes.backend = backendName(Backend::X11);
    notes.fellBackFrom = std::move(opened).error();
    return x11;
}

std::filesystem::path executableDirectory() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) return self.parent_path();
    return std::filesystem::current_path(error);
}

}  // namespace pointilla::platform
