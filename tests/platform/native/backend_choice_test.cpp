// The backend choice, first over the families this build has (whatever
// POINTILLA_WAYLAND_* left in), then over a table of the test's own: a new
// family is chosen by its row alone.
#include "platform/native/backend_choice.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace pointilla::platform {
namespace {

using Names = std::vector<std::string>;

std::optional<Backend> chosen(const SessionFacts& facts,
                              std::span<const WaylandFamily> families = waylandFamilies()) {
    const auto result = backendFromSession(facts, families);
    EXPECT_TRUE(result.ok()) << facts.forced;
    return result.ok() ? *result : std::nullopt;
}

const WaylandFamily* builtFamily(std::string_view name) {
    for (const WaylandFamily& family : waylandFamilies()) {
        if (family.name == name) return &family;
    }
    return nullptr;
}

TEST(BackendChoice, SessionDecidesX11OrAsksTheCompositor) {
    const Backend x11{};
    EXPECT_EQ(chosen({"", "", ""}), x11);              // no compositor named
    EXPECT_EQ(chosen({"", "wayland-1", "x11"}), x11);  // an X11 session
    EXPECT_EQ(chosen({"", "wayland-1", "wayland"}), std::nullopt);
    EXPECT_EQ(chosen({"", "wayland-1", ""}), std::nullopt);
    // Forced, whatever the session says.
    EXPECT_EQ(chosen({"x11", "wayland-1", "wayland"}), x11);
    for (const WaylandFamily& family : waylandFamilies()) {
        EXPECT_EQ(chosen({std::string(family.name), "", ""}), Backend{&family}) << family.name;
    }

    const auto unknown = backendFromSession({"sway", "wayland-1", ""});
    ASSERT_FALSE(unknown.ok());
    EXPECT_EQ(unknown.error(), "sway");
}

// Each row's own facts tell its family: no earlier row shadows them.
TEST(BackendChoice, EveryBuiltFamilyIsToldByItsGlobalsAndBusNames) {
    const Names none;
    EXPECT_EQ(backendChoices().size(), waylandFamilies().size() + 1);  // x11, then the rows
    for (const WaylandFamily& family : waylandFamilies()) {
        SCOPED_TRACE(std::string(family.name));
        EXPECT_NE(family.open, nullptr);
        for (const std::string_view global : family.globals) {
            EXPECT_EQ(familyOfCompositor(Names{"wl_seat", std::string(global) + "v1"}, none),
                      &family);
        }
        for (const std::string_view name : family.busNames) {
            EXPECT_EQ(familyOfCompositor(none, Names{std::string(name)}), &family) << name;
        }
    }
    EXPECT_EQ(familyOfCompositor(Names{"wl_seat", "wl_output"}, none), nullptr);
}

// What the compositors we know show, for the families this build has.
TEST(BackendChoice, KnownCompositorsGetTheirFamily) {
    struct Case {
        Names globals;
        Names busNames;
        std::string_view family;
    };
    const Case cases[] = {
        {{"wl_seat", "zwlr_virtual_pointer_manager_v1"}, {}, "wlroots"},
        // KWin hides its fake input from untrusted programs but not its own globals.
        {{"wl_seat", "org_kde_plasma_shell"}, {}, "kwin"},
        {{"wl_seat", "org_kde_kwin_fake_input"}, {}, "kwin"},
        {{"wl_seat", "gtk_shell1"}, {}, "gnome"},
        {{"wl_seat"}, {"org.kde.KWin"}, "kwin"},
        {{"wl_seat"}, {"org.gnome.Mutter.RemoteDesktop"}, "gnome"},
        {{"wl_seat"}, {"org.freedesktop.portal.Desktop"}, "gnome"},
        // The compositor's own route comes before a portal the session also runs.
        {{"zwlr_virtual_pointer_manager_v1"}, {"org.freedesktop.portal.Desktop"}, "wlroots"},
        {{"gtk_shell1"}, {"org.kde.KWin"}, "gnome"},
    };
    for (const Case& c : cases) {
        const WaylandFamily* family = builtFamily(c.family);
        if (family == nullptr) continue;  // left out of this build
        EXPECT_EQ(familyOfCompositor(c.globals, c.busNames), family)
            << c.family << " from " << (c.globals.empty() ? "" : c.globals.back());
    }
}

// A family of the test's own: its row is all the choice needs.
TEST(BackendChoice, AFamilyIsChosenByItsRowAlone) {
    constexpr std::array<std::string_view, 1> kMirGlobals{"mir_"};
    constexpr std::array<std::string_view, 1> kMirBus{"com.canonical.Mir"};
    constexpr std::array<std::string_view, 1> kOtherGlobals{"other_pointer"};
    constexpr std::array<std::string_view, 0> kNone{};
    const std::array<WaylandFamily, 2> families{{
        {"mir", "Mir", kMirGlobals, kMirBus, "mir_input", nullptr},
        {"other", "Other", kOtherGlobals, kNone, "other_pointer", nullptr},
    }};
    EXPECT_EQ(chosen({"mir", "wayland-0", ""}, families), Backend{&families[0]});
    EXPECT_EQ(familyOfCompositor(Names{"mir_input_v2"}, {}, families), &families[0]);
    EXPECT_EQ(familyOfCompositor(Names{"wl_seat"}, Names{"com.canonical.Mir"}, families),
              &families[0]);
    // A later row's global outweighs an earlier row's bus name.
    EXPECT_EQ(familyOfCompositor(Names{"other_pointer"}, Names{"com.canonical.Mir"}, families),
              &families[1]);
    EXPECT_EQ(routesWeKnow(families), "mir_input, other_pointer");
    EXPECT_EQ(familyBusNames(families), std::vector<std::string_view>{"com.canonical.Mir"});
    EXPECT_EQ(backendChoices(families).back().desktops, "Other");
    EXPECT_FALSE(backendFromSession({"kwin", "wayland-0", ""}, families).ok());
}

}  // namespace
}  // namespace pointilla::platform
