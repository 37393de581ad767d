#pragma once
// The kernel32 and user32 declarations the control needs beside the registry's:
// the version GetVersionExA reports and the message-box style bits. A Windows
// build takes the real ones.

#include "platform/registry/win_types.h"

#ifndef _WIN32

#include <cstdint>

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

inline constexpr std::uint32_t MB_OK = 0x0;
inline constexpr std::uint32_t MB_ICONSTOP = 0x10;  // critical stop
inline constexpr std::uint32_t MB_ICONEXCLAMATION = 0x30;

#endif  // !_WIN32
