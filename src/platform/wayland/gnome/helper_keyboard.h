#pragma once
// The key state behind the hot key and Escape on GNOME 43-47, through
// Pointilla's GNOME Shell helper: each watched combination is bound with the
// helper for this connection alone (the shell lets go of it when the program
// ends), and counts as held from the helper's Pressed signal to its Released
// one. The helper's bus name is watched: when it comes (the extension enabled,
// the session unlocked, the shell restarted) the combinations are bound again.

#include <memory>

#include "platform/desktop/desktop.h"

namespace pointilla::platform::wayland::gnome {

// nullptr when the session bus cannot be reached. hearsCombinations() tells
// whether the helper answered when it was opened.
std::unique_ptr<KeyboardState> openHelperKeyboard();

}  // namespace pointilla::platform::wayland::gnome
