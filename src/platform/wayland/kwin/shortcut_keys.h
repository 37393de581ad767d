#pragma once
// How KGlobalAccel names a key combination: one int, Qt's key code with its
// modifier bits, as QKeySequence holds it.

#include <optional>
#include <string>

#include "platform/desktop/desktop.h"

namespace pointilla::platform::wayland::kwin {

// std::nullopt for a combination without exactly one non-modifier key, or with
// a key KGlobalAccel cannot name.
std::optional<int> qtKeyCode(const KeyCombination& combination);

// A stable name for the combination's shortcut ("hold-11-12-31") and the
// words a person reads in the desktop's shortcut settings ("Ctrl+Alt+1").
std::string shortcutName(const KeyCombination& combination);
std::string shortcutLabel(const KeyCombination& combination);

}  // namespace pointilla::platform::wayland::kwin
