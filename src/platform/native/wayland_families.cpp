// The table of Wayland families: one row per family, in the order the backend
// choice weighs them (the first whose globals the compositor shows wins; bus
// names only count when no family's global matched). CMake defines
// POINTILLA_WAYLAND_<NAME> for each family it builds; the others have no row.

#include <array>

#include "platform/native/wayland_family.h"
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

#if POINTILLA_WAYLAND_WLROOTS
constexpr std::array<std::string_view, 1> kWlrootsGlobals{"zwlr_virtual_pointer_manager_v1"};
#endif
#if POINTILLA_WAYLAND_KWIN
// KWin shows its fake input only to programs it trusts, but always its own globals.
constexpr std::array<std::string_view, 2> kKwinGlobals{"org_kde_kwin_", "org_kde_plasma_"};
constexpr std::array<std::string_view, 1> kKwinBusNames{"org.kde.KWin"};
#endif
#if POINTILLA_WAYLAND_GNOME
constexpr std::array<std::string_view, 1> kGnomeGlobals{"gtk_shell1"};
constexpr std::array<std::string_view, 2> kGnomeBusNames{"org.gnome.Mutter.RemoteDesktop",
                                                         "org.freedesktop.portal.Desktop"};
#endif

const WaylandFamily kFamilies[] = {
#if POINTILLA_WAYLAND_WLROOTS
    {.name = "wlroots",
     .desktops = "sway",
     .globals = kWlrootsGlobals,
     .busNames = {},
     .route = "zwlr_virtual_pointer_manager_v1",
     .open = wayland::openWlrootsDesktop},
#endif
#if POINTILLA_WAYLAND_KWIN
    {.name = "kwin",
     .desktops = "KDE Plasma",
     .globals = kKwinGlobals,
     .busNames = kKwinBusNames,
     .route = "org_kde_kwin_fake_input",
     .open = wayland::openKwinDesktop},
#endif
#if POINTILLA_WAYLAND_GNOME
    {.name = "gnome",
     .desktops = "GNOME",
     .globals = kGnomeGlobals,
     .busNames = kGnomeBusNames,
     .route = "org.gnome.Mutter.RemoteDesktop",
     .open = wayland::openGnomeDesktop},
#endif
    {},  // ends the table, so that a build without any family still has one
};

}  // namespace

std::span<const WaylandFamily> waylandFamilies() {
    return std::span<const WaylandFamily>(kFamilies).first(std::size(kFamilies) - 1);
}

}  // namespace pointilla::platform
