#include "platform/wayland/kwin/shortcut_presses.h"

#include <algorithm>

namespace pointilla::platform::wayland::kwin {
namespace {

bool holdsKey(const BoundShortcut& shortcut, int virtualKey) {
    return std::find(shortcut.keys.begin(), shortcut.keys.end(), virtualKey) != shortcut.keys.end();
}

}  // namespace

bool hearShortcut(std::vector<BoundShortcut>& bound, std::string_view name, bool pressed) {
    bool changed = false;
    for (BoundShortcut& shortcut : bound) {
        if (shortcut.name != name || shortcut.held == pressed) continue;
        shortcut.held = pressed;
        if (pressed) shortcut.pressedSinceTaken = true;
        changed = true;
    }
    return changed;
}

bool shortcutKeyDown(const std::vector<BoundShortcut>& bound, int virtualKey) {
    return std::any_of(bound.begin(), bound.end(), [virtualKey](const BoundShortcut& shortcut) {
        return shortcut.held && holdsKey(shortcut, virtualKey);
    });
}

bool takeShortcutPress(std::vector<BoundShortcut>& bound, int virtualKey) {
    bool seen = false;
    for (BoundShortcut& shortcut : bound) {
        if (!holdsKey(shortcut, virtualKey)) continue;
        seen = seen || shortcut.held || shortcut.pressedSinceTaken;
        shortcut.pressedSinceTaken = false;
    }
    return seen;
}

}  // namespace pointilla::platform::wayland::kwin
