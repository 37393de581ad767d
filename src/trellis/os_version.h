#pragma once
// The operating-system version the export's header depends on ("Windows Registry
// Editor Version 5.00" on an NT system of major version 5, "REGEDIT4" otherwise),
// as kernel32's GetVersionExA reports it. A Windows build takes the real one.

#include "platform/registry/win_types.h"

#ifndef _WIN32

#include <functional>
#include <optional>

struct OSVERSIONINFOA {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    CHAR szCSDVersion[128];
};
static_assert(sizeof(OSVERSIONINFOA) == 148);
inline constexpr DWORD VER_PLATFORM_WIN32_NT = 2;
BOOL GetVersionExA(OSVERSIONINFOA* info);

namespace trellis {
// Replaces what GetVersionExA reports (nullopt: the call fails); an empty
// function restores the default, a later NT system.
void setVersionSourceForTesting(std::function<std::optional<OSVERSIONINFOA>()> source);
}  // namespace trellis

#endif  // !_WIN32
