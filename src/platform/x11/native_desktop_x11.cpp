#include <system_error>

#include "platform/desktop/native_desktop.h"
#include "platform/x11/x11_desktop.h"

namespace pointilla::platform {

Result<std::unique_ptr<Desktop>, DesktopOpenError> openNativeDesktop(const char* displayName) {
    return openX11Desktop(displayName);
}

std::filesystem::path executableDirectory() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) return self.parent_path();
    return std::filesystem::current_path(error);
}

}  // namespace pointilla::platform
