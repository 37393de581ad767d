#pragma once
// What the shortcut service said of each bound combination: held now, and
// pressed since the key was last taken, so that a tap heard between two looks
// (KWin reports the press and the release back to back) still counts once.

#include <string>
#include <string_view>
#include <vector>

#include "platform/desktop/desktop.h"

namespace pointilla::platform::wayland::kwin {

struct BoundShortcut {
    KeyCombination keys;
    std::string name;
    bool held = false;
    bool pressedSinceTaken = false;
};

// The shortcut named `name` went down or up; true when a state changed.
bool hearShortcut(std::vector<BoundShortcut>& bound, std::string_view name, bool pressed);
// Whether the key belongs to a bound combination held now.
bool shortcutKeyDown(const std::vector<BoundShortcut>& bound, int virtualKey);
// Whether the key is held or was pressed since the previous take; forgets the press.
bool takeShortcutPress(std::vector<BoundShortcut>& bound, int virtualKey);

}  // namespace pointilla::platform::wayland::kwin
