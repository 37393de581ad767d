#include "platform/native/backend_choice.h"

#include <algorithm>
#include <array>

namespace pointilla::platform {
namespace {

constexpr std::string_view kWlrootsPointer = "zwlr_virtual_pointer_manager_v1";
constexpr std::string_view kKwinFakeInput = "org_kde_kwin_fake_input";
constexpr std::string_view kKwinBus = "org.kde.KWin";
constexpr std::string_view kMutterRemoteDesktop = "org.gnome.Mutter.RemoteDesktop";
constexpr std::string_view kPortal = "org.freedesktop.portal.Desktop";

constexpr std::array<std::string_view, 3> kBusNames{kKwinBus, kMutterRemoteDesktop, kPortal};

bool has(std::span<const std::string> names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

std::string_view backendName(Backend backend) {
    switch (backend) {
        case Backend::X11:
            return "x11";
        case Backend::Wlroots:
            return "wlroots";
        case Backend::Kwin:
            return "kwin";
        case Backend::Gnome:
            return "gnome";
    }
    return {};
}

Result<std::optional<Backend>, std::string> backendFromSession(const SessionFacts& facts) {
    if (!facts.forced.empty()) {
        for (const Backend backend :
             {Backend::X11, Backend::Wlroots, Backend::Kwin, Backend::Gnome}) {
            if (facts.forced == backendName(backend)) return std::optional<Backend>(backend);
        }
        return fail(facts.forced);
    }
    if (facts.waylandDisplay.empty() || facts.sessionType == "x11") {
        return std::optional<Backend>(Backend::X11);
    }
    return std::optional<Backend>();
}

std::span<const std::string_view> familyBusNames() { return kBusNames; }

std::optional<Backend> familyOfCompositor(std::span<const std::string> globals,
                                          std::span<const std::string> busNames) {
    if (has(globals, std::string(kWlrootsPointer))) return Backend::Wlroots;
    // KWin shows its fake input only to programs it trusts, but always its own
    // org_kde_ globals.
    if (std::any_of(globals.begin(), globals.end(), [](const std::string& name) {
            return name == kKwinFakeInput || name.starts_with("org_kde_kwin_") ||
                   name.starts_with("org_kde_plasma_");
        })) {
        return Backend::Kwin;
    }
    if (has(globals, "gtk_shell1")) return Backend::Gnome;
    if (has(busNames, std::string(kKwinBus))) return Backend::Kwin;
    if (has(busNames, std::string(kMutterRemoteDesktop)) || has(busNames, std::string(kPortal))) {
        return Backend::Gnome;
    }
    return std::nullopt;
}

std::string routesWeKnow() {
    return std::string(kWlrootsPointer) + ", " + std::string(kKwinFakeInput) + ", " +
           std::string(kMutterRemoteDesktop);
}

}  // namespace pointilla::platform
