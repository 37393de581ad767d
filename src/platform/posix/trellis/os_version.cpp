#include "platform/posix/trellis/version_source.h"

namespace trellis {
namespace {

std::function<std::optional<OSVERSIONINFOA>()>& versionSource() {
    static std::function<std::optional<OSVERSIONINFOA>()> source;
    return source;
}

}  // namespace

void setVersionSourceForTesting(std::function<std::optional<OSVERSIONINFOA>()> source) {
    versionSource() = std::move(source);
}

}  // namespace trellis

BOOL GetVersionExA(OSVERSIONINFOA* info) {
    if (info == nullptr || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) return 0;
    if (trellis::versionSource()) {
        const auto reported = trellis::versionSource()();
        if (!reported) return 0;
        *info = *reported;
        info->dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        return 1;
    }
    info->dwMajorVersion = 6;
    info->dwMinorVersion = 1;
    info->dwBuildNumber = 7601;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    info->szCSDVersion[0] = '\0';
    return 1;
}
