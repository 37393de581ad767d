#include <cstdlib>
#include <string_view>
#include <system_error>

#include "platform/desktop/native_desktop.h"
#include "platform/wayland/gnome/gnome_desktop.h"
#include "platform/x11/x11_desktop.h"

namespace pointilla::platform {

Result<std::unique_ptr<Desktop>, DesktopOpenError> openNativeDesktop(const char* displayName) {
    // Until the choice by the session's compositor lands, GNOME is asked for by name.
    const char* backend = std::getenv("POINTILLA_BACKEND");
    if (displayName == nullptr && backend != nullptr && std::string_view(backend) == "gnome") {
        return wayland::openGnomeDesktop();
    }
    return openX11Desktop(displayName);
}

std::filesystem::path executableDirectory() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) return self.parent_path();
    return std::filesystem::current_path(error);
}

}  // namespace pointilla::platform
