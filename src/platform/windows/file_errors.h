#pragma once
// Windows error codes as the errno values FileError carries, so that the
// reasons shown for them are the same words on every system.

#include <windows.h>

#include "platform/files/file_error.h"

namespace pointilla::platform::windows {

int errnoFor(DWORD error);

inline files::FileError lastFileError() {
    return files::FileError::system(errnoFor(GetLastError()));
}

}  // namespace pointilla::platform::windows
