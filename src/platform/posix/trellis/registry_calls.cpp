// The registry store keeps names and texts as the bytes it is given, so the
// control's Windows-1252 bytes go to its ANSI functions unchanged.

#include "trellis/store/registry_calls.h"

namespace trellis::reg {

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result) {
    return ::RegOpenKeyExA(key, subKey, options, access, result);
}

LONG RegCreateKeyA(HKEY key, LPCSTR subKey, PHKEY result) {
    return ::RegCreateKeyA(key, subKey, result);
}

LONG RegDeleteKeyA(HKEY key, LPCSTR subKey) { return ::RegDeleteKeyA(key, subKey); }

LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize) {
    return ::RegQueryValueExA(key, valueName, reserved, type, data, dataSize);
}

LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD dataSize) {
    return ::RegSetValueExA(key, valueName, reserved, type, data, dataSize);
}

LONG RegEnumKeyA(HKEY key, DWORD index, LPSTR name, DWORD nameSize) {
    return ::RegEnumKeyA(key, index, name, nameSize);
}

LONG RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                   LPDWORD type, LPBYTE data, LPDWORD dataSize) {
    return ::RegEnumValueA(key, index, name, nameSize, reserved, type, data, dataSize);
}

LONG RegQueryInfoKeyA(HKEY key, LPSTR className, LPDWORD classSize, LPDWORD reserved,
                      LPDWORD subKeys, LPDWORD maxSubKeyLength, LPDWORD maxClassLength,
                      LPDWORD values, LPDWORD maxValueNameLength, LPDWORD maxValueLength,
                      LPDWORD securityDescriptor, PFILETIME lastWritten) {
    return ::RegQueryInfoKeyA(key, className, classSize, reserved, subKeys, maxSubKeyLength,
                              maxClassLength, values, maxValueNameLength, maxValueLength,
                              securityDescriptor, lastWritten);
}

}  // namespace trellis::reg
