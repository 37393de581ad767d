#include <cstdlib>
#include <string>
#include <system_error>
#include <vector>

#include "platform/desktop/native_desktop.h"
#include "platform/native/backend_choice.h"
#include "platform/x11/x11_desktop.h"
// Asking the compositor and the session bus which family serves them needs the
// Wayland client library and sd-bus, which an X11-only build goes without.
#if POINTILLA_WAYLAND
#include "platform/native/session_bus_names.h"
#include "platform/wayland/common/registry_globals.h"
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
#if POINTILLA_WAYLAND
    const wayland::DisplayHandle display(wl_display_connect(nullptr));
    if (!display) return {};
    const auto globals = wayland::RegistryGlobals::read(display.get());
    return globals ? wayland::interfaceNames(globals->all()) : std::vector<std::string>{};
#else
    return {};
#endif
}

std::vector<std::string> sessionBusNames() {
#if POINTILLA_WAYLAND
    return presentBusNames(familyBusNames());
#else
    return {};
#endif
}

// The compositor's own family, or why there is none to use.
OpenResult openCompositorsFamily(const SessionFacts& facts, DesktopNotes& notes) {
    if (waylandFamilies().empty()) {
        return fail(DesktopOpenError{DesktopOpenError::Kind::WaylandLeftOut, facts.waylandDisplay});
    }
    const std::vector<std::string> globals = compositorGlobals();
    if (globals.empty()) {
        return fail(
            DesktopOpenError{DesktopOpenError::Kind::WaylandUnreachable, facts.waylandDisplay});
    }
    const WaylandFamily* family = familyOfCompositor(globals, {});
    if (family == nullptr) family = familyOfCompositor(globals, sessionBusNames());
    if (family == nullptr) {
        return fail(DesktopOpenError::compositorLacks(facts.waylandDisplay, compositorName(),
                                                      routesWeKnow()));
    }
    OpenResult opened = family->open();
    if (opened) notes.backend = family->name;
    return opened;
}

}  // namespace

OpenResult openNativeDesktop(const char* displayName, DesktopNotes& notes) {
    SessionFacts facts{environment("POINTILLA_BACKEND"), environment("WAYLAND_DISPLAY"),
                       environment("XDG_SESSION_TYPE")};
    // An X display named on the command line asks for X11.
    if (facts.forced.empty() && displayName != nullptr) facts.forced = kX11BackendName;
    const auto fromSession = backendFromSession(facts);
    if (!fromSession) {
        return fail(DesktopOpenError::unknownBackend(fromSession.error(), backendChoices()));
    }
    if (*fromSession == Backend{}) {
        notes.backend = kX11BackendName;
        return openX11Desktop(displayName);
    }

    if (fromSession->has_value()) {
        // A family forced: what was asked for, or why not; no fallback.
        const WaylandFamily& forced = *(*fromSession)->wayland;
        OpenResult opened = forced.open();
        if (opened) notes.backend = forced.name;
        return opened;
    }
    OpenResult opened = openCompositorsFamily(facts, notes);
    if (opened) return opened;
    // XWayland reaches at least the programs that run under it.
    auto x11 = openX11Desktop(nullptr);
    if (!x11) return opened;
    notes.backend = kX11BackendName;
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
