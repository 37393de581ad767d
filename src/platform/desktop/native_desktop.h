#pragma once
// The desktop of the system the program runs on, for the programs and tools
// that work on whichever one they find: on Linux the X11 backend or a native
// Wayland family (platform/native/backend_choice.h says which), on Windows the
// Windows one.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "common/desktop_open_error.h"
#include "common/result.h"
#include "platform/desktop/desktop.h"

namespace pointilla::platform {

// What the caller may need to know about the desktop it got.
struct DesktopNotes {
    // "x11", a Wayland family's name ("wlroots"; platform/native/wayland_family.h)
    // or "windows".
    std::string backend;
    // Set when a Wayland desktop could not be used and the X11 backend runs
    // through XWayland instead: why (to be shown as a warning, never silently).
    std::optional<DesktopOpenError> fellBackFrom;
};

// displayName selects an X display (nullptr: the session's own desktop);
// Windows has a single desktop and refuses a name (SingleDesktopNamed).
Result<std::unique_ptr<Desktop>, DesktopOpenError> openNativeDesktop(const char* displayName,
                                                                     DesktopNotes& notes);

inline Result<std::unique_ptr<Desktop>, DesktopOpenError> openNativeDesktop(
    const char* displayName) {
    DesktopNotes notes;
    return openNativeDesktop(displayName, notes);
}

// The folder of the running program's own executable (the current folder when
// it cannot be found).
std::filesystem::path executableDirectory();

}  // namespace pointilla::platform
