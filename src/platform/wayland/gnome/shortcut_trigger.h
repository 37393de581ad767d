#pragma once
// A key combination written as the GlobalShortcuts portal's preferred trigger:
// modifiers, then the key's XKB keysym name, joined by "+" ("CTRL+ALT+1").

#include <optional>
#include <string>

#include "platform/desktop/desktop.h"

namespace pointilla::platform::wayland::gnome {

// nullopt for a combination with a key no trigger can name, or with no key
// besides its modifiers.
std::optional<std::string> shortcutTrigger(const KeyCombination& combination);

}  // namespace pointilla::platform::wayland::gnome
