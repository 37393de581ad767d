#pragma once
// Where Pointilla's GNOME Shell helper (shell-helper/, an extension the person
// enables once) answers on the session bus.

#include <chrono>

namespace pointilla::platform::wayland::gnome {

inline constexpr const char* kHelperService = "org.pointilla.ShellHelper";
inline constexpr const char* kHelperPath = "/org/pointilla/ShellHelper";
inline constexpr const char* kHelperInterface = "org.pointilla.ShellHelper";

// The helper answers from the shell's own main loop: a call that takes longer
// means the shell is stuck, and the program must not wait with it.
inline constexpr std::chrono::milliseconds kHelperCallTimeout{500};

}  // namespace pointilla::platform::wayland::gnome
