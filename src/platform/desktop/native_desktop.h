#pragma once
// The desktop of the system the program was built for, for tools that work on
// whichever one they run on: the X11 backend on Linux, the Windows one on Windows.

#include <filesystem>
#include <memory>
#include <string>

#include "platform/desktop/desktop.h"

namespace pointilla::platform {

// displayName selects an X display (nullptr: $DISPLAY); Windows has a single
// desktop and refuses a name. nullptr and a French message in error on failure.
std::unique_ptr<Desktop> openNativeDesktop(const char* displayName, std::string& error);

// The folder of the running program's own executable (the current folder when
// it cannot be found).
std::filesystem::path executableDirectory();

}  // namespace pointilla::platform
