#pragma once
// Virtual keys as sway's bindsym names them: "Ctrl", "Mod1" (Alt), "Shift",
// "1", "a", "F5", "KP_1", "Escape"; a combination joins them with "+".

#include <string>

#include "platform/desktop/desktop.h"

namespace pointilla::platform::wayland {

// Empty for a key sway's bindings cannot name.
std::string swayKeyName(int virtualKey);

// "Ctrl+Mod1+1"; empty when a key of it has no name or it is empty.
std::string swayCombination(const KeyCombination& combination);

}  // namespace pointilla::platform::wayland
