#include "trellis/store/registry_calls.h"

#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace trellis::reg {
namespace {

constexpr UINT kWindows1252 = 1252;

// Windows-1252 bytes to UTF-16; every byte has one character.
std::wstring wide(const char* text, std::size_t length) {
    std::wstring out(length, L'\0');
    if (length == 0) return out;
    const int n = MultiByteToWideChar(kWindows1252, 0, text, static_cast<int>(length), out.data(),
                                      static_cast<int>(out.size()));
    out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return out;
}
std::wstring wide(LPCSTR text) { return text ? wide(text, std::strlen(text)) : std::wstring(); }

// UTF-16 to Windows-1252; a character it lacks becomes "?", as the ANSI functions do.
std::string narrow(const wchar_t* text, std::size_t length) {
    std::string out(length, '\0');
    if (length == 0) return out;
    const int n = WideCharToMultiByte(kWindows1252, 0, text, static_cast<int>(length), out.data(),
                                      static_cast<int>(out.size()), "?", nullptr);
    out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return out;
}

bool isText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// Copies a converted name into the caller's buffer as the ANSI functions do:
// the length without the terminator on success, ERROR_MORE_DATA when it does not fit.
LONG giveName(const std::string& name, LPSTR buffer, DWORD capacity, LPDWORD length) {
    if (name.size() + 1 > capacity) return ERROR_MORE_DATA;
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    if (length != nullptr) *length = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

}  // namespace

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result) {
    return RegOpenKeyExW(key, subKey ? wide(subKey).c_str() : nullptr, options, access, result);
}

LONG RegCreateKeyA(HKEY key, LPCSTR subKey, PHKEY result) {
    return RegCreateKeyW(key, subKey ? wide(subKey).c_str() : nullptr, result);
}

LONG RegDeleteKeyA(HKEY key, LPCSTR subKey) { return RegDeleteKeyW(key, wide(subKey).c_str()); }

LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD dataSize) {
    const std::wstring name = wide(valueName);
    if (!isText(type) || data == nullptr) {
        return RegSetValueExW(key, name.c_str(), reserved, type, data, dataSize);
    }
    // Texts are stored in UTF-16, with the same characters (a zero byte included).
    const std::wstring text = wide(reinterpret_cast<const char*>(data), dataSize);
    return RegSetValueExW(key, name.c_str(), reserved, type,
                          reinterpret_cast<const BYTE*>(text.data()),
                          static_cast<DWORD>(text.size() * sizeof(wchar_t)));
}

LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize) {
    const std::wstring name = wide(valueName);
    DWORD storedType = REG_NONE;
    DWORD storedSize = 0;
    LONG status = RegQueryValueExW(key, name.c_str(), reserved, &storedType, nullptr, &storedSize);
    if (status != ERROR_SUCCESS) return status;
    if (type != nullptr) *type = storedType;
    if (!isText(storedType)) {
        return RegQueryValueExW(key, name.c_str(), reserved, nullptr, data, dataSize);
    }
    std::vector<BYTE> stored(storedSize + sizeof(wchar_t));
    status = RegQueryValueExW(key, name.c_str(), reserved, nullptr, stored.data(), &storedSize);
    if (status != ERROR_SUCCESS) return status;
    const std::string text =
        narrow(reinterpret_cast<const wchar_t*>(stored.data()), storedSize / sizeof(wchar_t));
    if (dataSize == nullptr) return data == nullptr ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
    const DWORD capacity = *dataSize;
    *dataSize = static_cast<DWORD>(text.size());
    if (data == nullptr) return ERROR_SUCCESS;
    if (text.size() > capacity) return ERROR_MORE_DATA;
    std::memcpy(data, text.data(), text.size());
    return ERROR_SUCCESS;
}

LONG RegEnumKeyA(HKEY key, DWORD index, LPSTR name, DWORD nameSize) {
    std::wstring buffer(nameSize + 1, L'\0');
    const LONG status = RegEnumKeyW(key, index, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (status != ERROR_SUCCESS) return status;
    return giveName(narrow(buffer.c_str(), std::wcslen(buffer.c_str())), name, nameSize, nullptr);
}

LONG RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                   LPDWORD type, LPBYTE data, LPDWORD dataSize) {
    // Only names are enumerated here: the data are read by name afterwards.
    if (nameSize == nullptr || data != nullptr) return ERROR_INVALID_PARAMETER;
    std::wstring buffer(*nameSize + 1, L'\0');
    auto length = static_cast<DWORD>(buffer.size());
    const LONG status =
        RegEnumValueW(key, index, buffer.data(), &length, reserved, type, nullptr, dataSize);
    if (status != ERROR_SUCCESS) return status;
    return giveName(narrow(buffer.data(), length), name, *nameSize, nameSize);
}

LONG RegQueryInfoKeyA(HKEY key, LPSTR className, LPDWORD classSize, LPDWORD reserved,
                      LPDWORD subKeys, LPDWORD maxSubKeyLength, LPDWORD maxClassLength,
                      LPDWORD values, LPDWORD maxValueNameLength, LPDWORD maxValueLength,
                      LPDWORD securityDescriptor, PFILETIME lastWritten) {
    // Lengths are counted in characters, one Windows-1252 byte each.
    if (className != nullptr) return ERROR_INVALID_PARAMETER;
    return RegQueryInfoKeyW(key, nullptr, classSize, reserved, subKeys, maxSubKeyLength,
                            maxClassLength, values, maxValueNameLength, maxValueLength,
                            securityDescriptor, lastWritten);
}

}  // namespace trellis::reg
