// What the shortcut service said, kept for the stop key's watch: a tap heard
// between two looks must count once, and only for its own combination's keys.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/desktop/virtual_keys.h"
#include "platform/wayland/kwin/shortcut_presses.h"

namespace pointilla::platform::wayland::kwin {
namespace {

struct Signal {
    const char* name;
    bool pressed;
};

struct Case {
    const char* what;
    std::vector<Signal> heard;
    int key;
    bool down;        // shortcutKeyDown() after the signals
    bool taken;       // the first takeShortcutPress()
    bool takenAgain;  // the next one, nothing heard in between
};

std::vector<BoundShortcut> boundShortcuts() {
    return {{{vk::kEscape}, "escape"}, {{vk::kCtrl, vk::kAlt, vk::topRowDigit(1)}, "hot"}};
}

TEST(KwinShortcutPresses, KeepsATapUntilTakenOnce) {
    const std::vector<Case> cases{
        {"nothing heard", {}, vk::kEscape, false, false, false},
        {"a tap between two looks",
         {{"escape", true}, {"escape", false}},
         vk::kEscape,
         false,
         true,
         false},
        {"held", {{"escape", true}}, vk::kEscape, true, true, true},
        {"another shortcut's tap",
         {{"hot", true}, {"hot", false}},
         vk::kEscape,
         false,
         false,
         false},
        {"a key of a held combination", {{"hot", true}}, vk::kAlt, true, true, true},
        {"a name not bound", {{"other", true}}, vk::kEscape, false, false, false},
        {"two taps count once",
         {{"escape", true}, {"escape", false}, {"escape", true}, {"escape", false}},
         vk::kEscape,
         false,
         true,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto bound = boundShortcuts();
        for (const Signal& signal : c.heard) hearShortcut(bound, signal.name, signal.pressed);
        EXPECT_EQ(shortcutKeyDown(bound, c.key), c.down);
        EXPECT_EQ(takeShortcutPress(bound, c.key), c.taken);
        EXPECT_EQ(takeShortcutPress(bound, c.key), c.takenAgain);
    }
}

TEST(KwinShortcutPresses, ReportsOnlyChanges) {
    auto bound = boundShortcuts();
    EXPECT_TRUE(hearShortcut(bound, "escape", true));
    EXPECT_FALSE(hearShortcut(bound, "escape", true));  // a repeat of the press
    EXPECT_TRUE(hearShortcut(bound, "escape", false));
    EXPECT_FALSE(hearShortcut(bound, "unknown", true));
}

}  // namespace
}  // namespace pointilla::platform::wayland::kwin
