#pragma once
// The key state behind the hot key on GNOME: the combinations watched are bound
// as global shortcuts through the GlobalShortcuts portal (GNOME 48 and later),
// and a shortcut's keys count as down from its Activated signal to its
// Deactivated one. Without the portal, the keyboard goes through Pointilla's
// GNOME Shell helper (helper_keyboard.h), which says whether it hears anything.

#include <memory>

#include "platform/desktop/desktop.h"

namespace pointilla::platform::wayland::gnome {

// A keyboard on its own session-bus connection, so that its signals wake the
// hot-key poll through that connection's descriptor alone.
std::unique_ptr<KeyboardState> openShortcutsKeyboard();

}  // namespace pointilla::platform::wayland::gnome
