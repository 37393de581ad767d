// The key codes KDE's global shortcuts are bound with: a wrong bit or offset
// binds another key than the one the person chose, and the hot key never fires.

#include <gtest/gtest.h>

#include "platform/desktop/virtual_keys.h"
#include "platform/wayland/kwin/shortcut_keys.h"

namespace pointilla::platform::wayland::kwin {
namespace {

TEST(KwinShortcutKeys, NamesEveryHotKeyChoiceAsQtDoes) {
    // Qt::CTRL | Qt::ALT | Qt::Key_1, the stock choice.
    EXPECT_EQ(qtKeyCode({vk::kCtrl, vk::kAlt, vk::topRowDigit(1)}), 0x0C000031);
    EXPECT_EQ(qtKeyCode({vk::kShift, vk::letter('Z')}), 0x0200005A);
    EXPECT_EQ(qtKeyCode({vk::kCtrl, vk::functionKey(1)}), 0x04000000 | 0x01000030);
    EXPECT_EQ(qtKeyCode({vk::functionKey(12)}), 0x0100003B);
    // Keypad 9: Qt::KeypadModifier | Qt::Key_9.
    EXPECT_EQ(qtKeyCode({vk::kAlt, vk::keypadDigit(9)}), 0x08000000 | 0x20000000 | 0x39);
    EXPECT_EQ(qtKeyCode({vk::kEscape}), 0x01000000);
}

TEST(KwinShortcutKeys, RefusesWhatNoSingleShortcutHolds) {
    EXPECT_FALSE(qtKeyCode({vk::kCtrl, vk::kAlt}));
    EXPECT_FALSE(qtKeyCode({vk::letter('A'), vk::letter('B')}));
    EXPECT_FALSE(qtKeyCode({0x5B}));  // the Windows key: not a hot-key choice
    EXPECT_FALSE(qtKeyCode({}));
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

}  // namespace
}  // namespace pointilla::platform::wayland::kwin
