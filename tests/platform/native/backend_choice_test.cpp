#include "platform/native/backend_choice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pointilla::platform {
namespace {

std::optional<Backend> chosen(const SessionFacts& facts) {
    const auto result = backendFromSession(facts);
    EXPECT_TRUE(result.ok());
    return result.ok() ? *result : std::nullopt;
}

TEST(BackendChoice, SessionDecidesX11OrAsksTheCompositor) {
    EXPECT_EQ(chosen({"", "", ""}), Backend::X11);              // no compositor named
    EXPECT_EQ(chosen({"", "wayland-1", "x11"}), Backend::X11);  // an X11 session
    EXPECT_EQ(chosen({"", "wayland-1", "wayland"}), std::nullopt);
    EXPECT_EQ(chosen({"", "wayland-1", ""}), std::nullopt);
    // Forced, whatever the session says.
    EXPECT_EQ(chosen({"x11", "wayland-1", "wayland"}), Backend::X11);
    EXPECT_EQ(chosen({"wlroots", "", ""}), Backend::Wlroots);
    EXPECT_EQ(chosen({"kwin", "wayland-0", ""}), Backend::Kwin);
    EXPECT_EQ(chosen({"gnome", "wayland-0", ""}), Backend::Gnome);

    const auto unknown = backendFromSession({"sway", "wayland-1", ""});
    ASSERT_FALSE(unknown.ok());
    EXPECT_EQ(unknown.error(), "sway");
}

TEST(BackendChoice, CompositorGlobalsThenBusNamesTellTheFamily) {
    using Names = std::vector<std::string>;
    const Names none;
    EXPECT_EQ(familyOfCompositor(Names{"wl_seat", "zwlr_virtual_pointer_manager_v1"}, none),
              Backend::Wlroots);
    // KWin hides its fake input from untrusted programs but not its own globals.
    EXPECT_EQ(familyOfCompositor(Names{"wl_seat", "org_kde_plasma_shell"}, none), Backend::Kwin);
    EXPECT_EQ(familyOfCompositor(Names{"wl_seat", "gtk_shell1"}, none), Backend::Gnome);
    EXPECT_EQ(familyOfCompositor(Names{"wl_seat"}, Names{"org.kde.KWin"}), Backend::Kwin);
    EXPECT_EQ(familyOfCompositor(Names{"wl_seat"}, Names{"org.gnome.Mutter.RemoteDesktop"}),
              Backend::Gnome);
    EXPECT_EQ(familyOfCompositor(Names{"wl_seat"}, Names{"org.freedesktop.portal.Desktop"}),
              Backend::Gnome);
    // The compositor's own route comes before a portal the session also runs.
    EXPECT_EQ(familyOfCompositor(Names{"zwlr_virtual_pointer_manager_v1"},
                                 Names{"org.freedesktop.portal.Desktop"}),
              Backend::Wlroots);
    EXPECT_EQ(familyOfCompositor(Names{"wl_seat", "wl_output"}, none), std::nullopt);
}

}  // namespace
}  // namespace pointilla::platform
