#pragma once
// The desktop of the system the program was built for, for tools that work on
// whichever one they run on: the X11 backend on Linux, the Windows one on Windows.

#include <filesystem>
#include <memory>
#include <string>

#include "common/result.h"
#include "platform/desktop/desktop.h"
#include "platform/desktop/desktop_open_error.h"

namespace pointilla::platform {

// displayName selects an X display (nullptr: $DISPLAY); Windows has a single
// desktop and refuses a name (SingleDesktopNamed).
Result<std::unique_ptr<Desktop>, DesktopOpenError> openNativeDesktop(const char* displayName);

// The folder of the running program's own executable (the current folder when
// it cannot be found).
std::filesystem::path executableDirectory();

}  // namespace pointilla::platform
