#include <windows.h>

#include <system_error>

#include "platform/desktop/native_desktop.h"
#include "platform/windows/windows_desktop.h"

namespace pointilla::platform {

Result<std::unique_ptr<Desktop>, DesktopOpenError> openNativeDesktop(const char* displayName,
                                                                     DesktopNotes& notes) {
    notes.backend = "windows";
    if (displayName != nullptr) {
        return fail(DesktopOpenError{DesktopOpenError::Kind::SingleDesktopNamed, displayName});
    }
    return openWindowsDesktop();
}

std::filesystem::path executableDirectory() {
    // Grown until the whole path fits (long paths exceed MAX_PATH).
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(path.size());
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
        if (length == 0) break;
        if (length < size) {
            path.resize(length);
            return std::filesystem::path(path).parent_path();
        }
        path.resize(path.size() * 2);
    }
    std::error_code error;
    return std::filesystem::current_path(error);
}

}  // namespace pointilla::platform
