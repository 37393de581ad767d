#include <gtest/gtest.h>

#include <vector>

#include "platform/desktop/virtual_keys.h"
#include "platform/wayland/common/output_layout.h"
#include "platform/wayland/wlroots/sway_ipc.h"
#include "platform/wayland/wlroots/sway_key_names.h"

namespace pointilla::platform::wayland {
namespace {

TEST(OutputLayout, PrimaryIsTheOutputAtTheOriginAndTheExtentCoversAll) {
    // A monitor left of the main one, and one not described yet.
    const std::vector<LayoutRect> outputs{
        {-1280, 100, 1280, 1024}, {0, 0, 1920, 1080}, {0, 0, 0, 0}};
    const Layout layout = layoutOf(outputs);
    EXPECT_EQ(layout.primary, (LayoutRect{0, 0, 1920, 1080}));
    EXPECT_EQ(layout.extent, (LayoutRect{-1280, 0, 3200, 1124}));
    EXPECT_EQ(layout.fromLayout({-1200, 384}), (ScreenPoint{-1200, 384}));

    // Nothing at the origin: the first output listed is the primary one.
    const std::vector<LayoutRect> shifted{{500, 200, 800, 600}, {1300, 200, 800, 600}};
    const Layout other = layoutOf(shifted);
    EXPECT_EQ(other.primary, (LayoutRect{500, 200, 800, 600}));
    EXPECT_EQ(other.toLayout({10, 20}), (ScreenPoint{510, 220}));
    EXPECT_EQ(other.fromLayout({1300, 200}), (ScreenPoint{800, 0}));

    EXPECT_FALSE(layoutOf({}).known());
}

TEST(SwayKeyNames, CombinationsAreNamedAsBindsymReadsThem) {
    namespace vk = platform::vk;
    EXPECT_EQ(swayCombination({vk::kCtrl, vk::kAlt, vk::topRowDigit(1)}), "Ctrl+Mod1+1");
    EXPECT_EQ(swayCombination({vk::kShift, vk::letter('Q')}), "Shift+q");
    EXPECT_EQ(swayCombination({vk::kCtrl, vk::keypadDigit(7)}), "Ctrl+KP_7");
    EXPECT_EQ(swayCombination({vk::kAlt, vk::functionKey(12)}), "Mod1+F12");
    EXPECT_EQ(swayCombination({vk::kEscape}), "Escape");
    EXPECT_EQ(swayCombination({vk::kCtrl, 0x07}), "");  // a key sway cannot name
    EXPECT_EQ(swayCombination({}), "");
}

TEST(SwayReplies, StringFieldsAreReadWithTheirEscapes) {
    const char* event =
        R"({"change": "run", "binding": {"command": "nop pointilla-1-2 0 press", "symbol": "1"}})";
    EXPECT_EQ(jsonStringField(event, "command"), "nop pointilla-1-2 0 press");
    EXPECT_EQ(jsonStringField(R"([{"success":false,"error":"Unknown \"key\"\\"}])", "error"),
              "Unknown \"key\"\\");
    EXPECT_EQ(jsonStringField(R"({"command": 3})", "command"), "");
    EXPECT_EQ(jsonStringField("{}", "command"), "");
}

}  // namespace
}  // namespace pointilla::platform::wayland
