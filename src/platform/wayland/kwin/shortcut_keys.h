#pragma once
// How KGlobalAccel names a key combination: one int, Qt's key code with its
// modifier bits, as QKeySequence holds it.

#include <optional>
#include <string>
#include <vector>

#include "platform/desktop/desktop.h"

namespace pointilla::platform::wayland::kwin {

class KeyboardLayout;

// std::nullopt for a combination without exactly one non-modifier key, or with
// a key KGlobalAccel cannot name.
std::optional<int> qtKeyCode(const KeyCombination& combination);

// Every code KWin may report the combination as: the key's own name first,
// then, for a digit, what the key types on each layout (layout may be null).
// Empty when qtKeyCode() is.
std::vector<int> shortcutCodes(const KeyCombination& combination, const KeyboardLayout* layout);

// A stable name for the combination's shortcut ("hold-11-12-31") and the
// words a person reads in the desktop's shortcut settings ("Ctrl+Alt+1").
std::string shortcutName(const KeyCombination& combination);
std::string shortcutLabel(const KeyCombination& combination);

}  // namespace pointilla::platform::wayland::kwin
