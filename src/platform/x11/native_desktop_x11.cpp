#include <system_error>

#include "platform/desktop/native_desktop.h"
#include "platform/x11/x11_desktop.h"

namespace pointilla::platform {

std::unique_ptr<Desktop> openNativeDesktop(const char* displayName, std::string& error) {
    return openX11Desktop(displayName, error);
}

std::filesystem::path executableDirectory() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) return self.parent_path();
    return std::filesystem::current_path(error);
}

}  // namespace pointilla::platform
