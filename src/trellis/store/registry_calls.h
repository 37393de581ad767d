#pragma once
// The registry calls of the control, with names and texts as Windows-1252
// bytes, as the control keeps them. On this system they are the store's ANSI
// functions (platform/posix/trellis/registry_calls.cpp). On Windows the ANSI
// functions would read those bytes in the system's ANSI code page, which is not always Windows-1252
// (a UTF-8 code page, Asian systems): "clé1", "clé2" and "clé3" would all land under one broken
// name. So there the wide functions are called, with the text converted from and to Windows-1252
// (platform/windows/trellis/registry_calls.cpp).

#include "platform/registry/advapi32.h"

namespace trellis::reg {

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result);
LONG RegCreateKeyA(HKEY key, LPCSTR subKey, PHKEY result);
LONG RegDeleteKeyA(HKEY key, LPCSTR subKey);
LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize);
LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD dataSize);
LONG RegEnumKeyA(HKEY key, DWORD index, LPSTR name, DWORD nameSize);
LONG RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                   LPDWORD type, LPBYTE data, LPDWORD dataSize);
LONG RegQueryInfoKeyA(HKEY key, LPSTR className, LPDWORD classSize, LPDWORD reserved,
                      LPDWORD subKeys, LPDWORD maxSubKeyLength, LPDWORD maxClassLength,
                      LPDWORD values, LPDWORD maxValueNameLength, LPDWORD maxValueLength,
                      LPDWORD securityDescriptor, PFILETIME lastWritten);

}  // namespace trellis::reg
