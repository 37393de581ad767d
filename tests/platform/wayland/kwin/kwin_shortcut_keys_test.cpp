// The key codes KDE's global shortcuts are bound with: a wrong bit or offset
// binds another key than the one the person chose, and the hot key never fires.

#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "platform/desktop/virtual_keys.h"
#include "platform/wayland/kwin/keyboard_layout.h"
#include "platform/wayland/kwin/shortcut_keys.h"

namespace pointilla::platform::wayland::kwin {
namespace {

TEST(KwinShortcutKeys, NamesEveryHotKeyChoiceAsQtDoes) {
    // Qt::CTRL | Qt::ALT | Qt::Key_1, the stock choice.
    EXPECT_EQ(qtKeyCode({vk::kCtrl, vk::kAlt, vk::topRowDigit(1)}), 0x0C000031);
    EXPECT_EQ(qtKeyCode({vk::kShift, vk::letter('Z')}), 0x0200005A);
    EXPECT_EQ(qtKeyCode({vk::kCtrl, vk::functionKey(1)}), 0x04000000 | 0x01000030);
    EXPECT_EQ(qtKeyCode({vk::functionKey(12)}), 0x0100003B);
    EXPECT_EQ(qtKeyCode({vk::kEscape}), 0x01000000);
}

TEST(KwinShortcutKeys, RefusesWhatNoSingleShortcutHolds) {
    EXPECT_FALSE(qtKeyCode({vk::kCtrl, vk::kAlt}));
    EXPECT_FALSE(qtKeyCode({vk::letter('A'), vk::letter('B')}));
    EXPECT_FALSE(qtKeyCode({0x5B}));  // the Windows key: not a hot-key choice
    EXPECT_FALSE(qtKeyCode({}));
    // KWin fires the top row's shortcut for the keypad's digits.
    EXPECT_FALSE(qtKeyCode({vk::kAlt, vk::keypadDigit(9)}));
}

TEST(KwinShortcutKeys, GivesEachCombinationItsOwnNameAndReadableLabel) {
    const KeyCombination topRow{vk::kCtrl, vk::kAlt, vk::topRowDigit(1)};
    const KeyCombination keypad{vk::kCtrl, vk::kAlt, vk::keypadDigit(1)};
    EXPECT_EQ(shortcutName(topRow), "hold-11-12-31");
    EXPECT_NE(shortcutName(topRow), shortcutName(keypad));
    EXPECT_EQ(shortcutLabel(topRow), "Ctrl+Alt+1");
    EXPECT_EQ(shortcutLabel(keypad), "Ctrl+Alt+Num+1");
    EXPECT_EQ(shortcutLabel({vk::kShift, vk::functionKey(10)}), "Shift+F10");
}

// A keymap's text as a compositor sends it, for these layouts ("fr,us").
std::unique_ptr<KeyboardLayout> layoutOf(const char* layouts) {
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    const xkb_rule_names names{"evdev", "pc105", layouts, "", ""};
    xkb_keymap* keymap = xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    std::unique_ptr<KeyboardLayout> layout;
    if (keymap != nullptr) {
        char* text = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
        layout = KeyboardLayout::fromKeymap(text);
        std::free(text);
        xkb_keymap_unref(keymap);
    }
    xkb_context_unref(context);
    return layout;
}

constexpr int kCtrl = 0x04000000;
constexpr int kAlt = 0x08000000;
constexpr int kShift = 0x02000000;

TEST(KwinShortcutKeys, AddsWhatTheTopRowTypesOnEachLayout) {
    const auto layout = layoutOf("fr,us");
    ASSERT_TRUE(layout);
    // French first: 1 types "&", 2 types "é" (Qt::Key_Eacute, named by its capital).
    EXPECT_EQ(shortcutCodes({vk::kCtrl, vk::kAlt, vk::topRowDigit(1)}, layout.get()),
              (std::vector<int>{kCtrl | kAlt | '1', kCtrl | kAlt | '&'}));
    EXPECT_EQ(layout->digitShortcuts(2, kCtrl), (std::vector<int>{kCtrl | 0xC9, kCtrl | '2'}));
    // With SHIFT the digit is typed on the French layout, "!" on the US one;
    // SHIFT only chose the symbol, so KWin leaves it out.
    EXPECT_EQ(shortcutCodes({vk::kCtrl, vk::kShift, vk::topRowDigit(1)}, layout.get()),
              (std::vector<int>{kCtrl | kShift | '1', kCtrl | '1', kCtrl | '!'}));
    // Letters and function keys are named by KWin as the person reads them.
    EXPECT_EQ(shortcutCodes({vk::kShift, vk::letter('A')}, layout.get()),
              (std::vector<int>{kShift | 'A'}));
    EXPECT_TRUE(shortcutCodes({vk::kAlt, vk::keypadDigit(1)}, layout.get()).empty());
}

}  // namespace
}  // namespace pointilla::platform::wayland::kwin
