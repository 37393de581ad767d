#pragma once
// A key combination written as the GlobalShortcuts portal's preferred trigger:
// modifiers, then the key's XKB keysym name, joined by "+" ("CTRL+ALT+1"); and
// as a GNOME Shell accelerator, for the shell helper ("<Control><Alt>1").

#include <optional>
#include <string>

#include "platform/desktop/desktop.h"

namespace pointilla::platform::wayland::gnome {

// nullopt for a combination with a key no trigger can name, or with no key
// besides its modifiers.
std::optional<std::string> shortcutTrigger(const KeyCombination& combination);
std::optional<std::string> shellAccelerator(const KeyCombination& combination);

}  // namespace pointilla::platform::wayland::gnome
