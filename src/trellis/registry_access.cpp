#include "trellis/registry_access.h"

#include <array>
#include <cstring>
#include <new>
#include <optional>

#include "codepage/cp1252.h"
#include "platform/registry/advapi32.h"
#include "trellis/notifier.h"
#include "trellis/registry_key.h"

namespace trellis {
namespace {

constexpr REGSAM kWriteAccess = KEY_WRITE;
constexpr REGSAM kReadAccess = KEY_READ;
constexpr REGSAM kEnumerateAccess = 0x3F;

struct RootName {
    const char* name;
    HKEY root;
};
const std::array<RootName, 7> kRoots = {{
    {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKEY_USERS", HKEY_USERS},
    {"HKEY_PERFORMANCE_DATA", HKEY_PERFORMANCE_DATA},
    {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
    {"HKEY_DYN_DATA", HKEY_DYN_DATA},
}};

DWORD lastValueType = REG_NONE;

// The registry's side of a text: Windows-1252, or nothing when it has no form there.
std::optional<std::string> ansi(std::string_view utf8) {
    return pointilla::codepage::utf8ToCp1252(utf8);
}
std::string unicode(std::string_view cp1252) { return pointilla::codepage::cp1252ToUtf8(cp1252); }

// Splits a key path and opens its sub-key; false when the path or the key fails.
bool openPath(std::string keyPath, REGSAM access, RegistryKey& key) {
    HKEY root = nullptr;
    SplitKeyPath(keyPath, root);
    if (root == nullptr) return false;
    const auto subKey = ansi(keyPath);
    if (!subKey) return false;
    return RegOpenKeyExA(root, subKey->c_str(), 0, access, key.out()) == ERROR_SUCCESS;
}

// The names of an opened key's sub-keys or values, as the enumerators fetch them.
enum class NameKind { SubKeys, Values };

SHORT enumerateNames(NameKind kind, const char* procedure, HKEY& root, std::string& subKey,
                     std::vector<std::string>& names, LONG& count) {
    int i = 0;
    try {
        RegistryKey key;
        const auto ansiSubKey = ansi(subKey);
        if (!ansiSubKey || RegOpenKeyExA(root, ansiSubKey->c_str(), 0, kEnumerateAccess,
                                         key.out()) != ERROR_SUCCESS) {
            return 0;
        }
        DWORD subKeys = 0, maxSubKeyLen = 0, values = 0, maxValueNameLen = 0;
        FILETIME written{};
        if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subKeys, &maxSubKeyLen, nullptr,
                             &values, &maxValueNameLen, nullptr, nullptr,
                             &written) != ERROR_SUCCESS) {
            return 0;
        }
        const DWORD n = kind == NameKind::SubKeys ? subKeys : values;
        if (n > 0) {
            names.assign(n, std::string());
            const DWORD length = (kind == NameKind::SubKeys ? maxSubKeyLen : maxValueNameLen) + 1;
            std::string buffer(length + 1, ' ');
            for (;; ++i) {
                LONG status = ERROR_SUCCESS;
                if (kind == NameKind::SubKeys) {
                    status =
                        RegEnumKeyA(key.get(), static_cast<DWORD>(i), buffer.data(), length + 1);
                } else {
                    DWORD nameLength = length + 1;
                    status = RegEnumValueA(key.get(), static_cast<DWORD>(i), buffer.data(),
                                           &nameLength, nullptr, nullptr, nullptr, nullptr);
                }
                if (status != ERROR_SUCCESS) break;
                const auto zero = buffer.find('\0');
                // Names may grow between the count and the read; keep within the array.
                if (zero != std::string::npos && static_cast<DWORD>(i) < n) {
                    names[static_cast<std::size_t>(i)] =
                        unicode(std::string_view(buffer).substr(0, zero));
                }
            }
        }
        count = static_cast<LONG>(n);
    } catch (const std::bad_alloc&) {
        showMessage("Error: 7. Out of memory", procedure, MB_OK);
    } catch (const std::exception& e) {
        showMessage(std::string("Error: 5. ") + e.what(), procedure, MB_OK);
    }
    return static_cast<SHORT>(i);
}

}  // namespace

HKEY RootFromName(std::string_view name) {
    for (const auto& entry : kRoots) {
        if (name == entry.name) return entry.root;
    }
    return nullptr;
}

void SplitKeyPath(std::string& path, HKEY& root) {
    root = nullptr;
    if (path.compare(0, 5, "HKEY_") != 0 || path.size() < 5 || path.back() == '\\') return;
    const auto pos = path.find('\\');
    if (pos == std::string::npos) {
        root = RootFromName(path);
        if (root != nullptr) path.clear();
        return;
    }
    root = RootFromName(std::string_view(path).substr(0, pos));
    if (root != nullptr) path = path.substr(pos + 1);
}

LONG ValidRootKey(std::string_view keyPath) {
    return keyPath.find('\\') == std::string_view::npos ? kBadKeyPath : 0;
}

VARIANT_BOOL SetStringValue(const std::string& keyPath, const std::string& valueName,
                            const std::string& text) {
    const auto name = ansi(valueName);
    const auto bytes = ansi(text);
    if (!name || !bytes) return VARIANT_FALSE;
    RegistryKey key;
    if (!openPath(keyPath, kWriteAccess, key)) return VARIANT_FALSE;
    // The text goes in without a terminating zero: its byte count is its length.
    const LONG status = RegSetValueExA(key.get(), name->c_str(), 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(bytes->data()),
                                       static_cast<DWORD>(bytes->size()));
    return status == ERROR_SUCCESS ? VARIANT_TRUE : VARIANT_FALSE;
}

std::string GetStringValue(const std::string& keyPath, const std::string& valueName) {
    const auto name = ansi(valueName);
    if (!name) return {};
    RegistryKey key;
    if (!openPath(keyPath, kReadAccess, key)) return {};
    // Most texts fit a first buffer; a longer one is read again at its full size.
    DWORD type = REG_SZ;
    std::string buffer(256, '\0');
    DWORD size = static_cast<DWORD>(buffer.size());
    LONG status = RegQueryValueExA(key.get(), name->c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(buffer.data()), &size);
    if (status == ERROR_MORE_DATA) {
        buffer.assign(size, '\0');
        status = RegQueryValueExA(key.get(), name->c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(buffer.data()), &size);
    }
    if (status != ERROR_SUCCESS) return {};
    buffer.resize(size);
    // A terminating zero, when the writer stored one, is not part of the text.
    if (const auto zero = buffer.find('\0'); zero != std::string::npos) buffer.resize(zero);
    return unicode(buffer);
}

VARIANT_BOOL SetDWORDValue(const std::string& keyPath, const std::string& valueName, LONG number) {
    const auto name = ansi(valueName);
    if (!name) return VARIANT_FALSE;
    RegistryKey key;
    if (!openPath(keyPath, kWriteAccess, key)) return VARIANT_FALSE;
    BYTE data[4];
    std::memcpy(data, &number, sizeof data);
    return RegSetValueExA(key.get(), name->c_str(), 0, REG_DWORD, data, 4) == ERROR_SUCCESS
               ? VARIANT_TRUE
               : VARIANT_FALSE;
}

LONG GetDWORDValue(const std::string& keyPath, const std::string& valueName) {
    const auto name = ansi(valueName);
    if (!name) return -1;
    RegistryKey key;
    if (!openPath(keyPath, kReadAccess, key)) return -1;
    LONG number = 0;
    DWORD type = REG_DWORD;
    DWORD size = 4;
    if (RegQueryValueExA(key.get(), name->c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&number),
                         &size) != ERROR_SUCCESS) {
        return -1;
    }
    return number;
}

std::string GetBinaryValue(std::string& keyPath, std::string& valueName) {
    std::string subKey = keyPath;
    HKEY root = nullptr;
    SplitKeyPath(subKey, root);
    if (root == nullptr) return {};
    const auto ansiSubKey = ansi(subKey);
    const auto name = ansi(valueName);
    RegistryKey key;
    if (!ansiSubKey || !name ||
        RegOpenKeyExA(root, ansiSubKey->c_str(), 0, kReadAccess, key.out()) != ERROR_SUCCESS) {
        return "Error";
    }
    // The first query only learns the size.
    DWORD type = REG_BINARY;
    DWORD size = 1;
    BYTE probe = '0';
    RegQueryValueExA(key.get(), name->c_str(), nullptr, &type, &probe, &size);
    std::string buffer(size, ' ');
    type = REG_BINARY;
    if (RegQueryValueExA(key.get(), name->c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS) {
        return "Error";
    }
    buffer.resize(size);
    return buffer;
}

VARIANT_BOOL CreateKey(const std::string& keyPath) {
    std::string subKey = keyPath;
    HKEY root = nullptr;
    SplitKeyPath(subKey, root);
    const auto ansiSubKey = ansi(subKey);
    if (root == nullptr || !ansiSubKey) return VARIANT_FALSE;
    RegistryKey created;
    return RegCreateKeyA(root, ansiSubKey->c_str(), created.out()) == ERROR_SUCCESS ? VARIANT_TRUE
                                                                                    : VARIANT_FALSE;
}

VARIANT_BOOL DeleteKey(const std::string& keyPath) {
    std::string subKey = keyPath;
    HKEY root = nullptr;
    SplitKeyPath(subKey, root);
    const auto ansiSubKey = ansi(subKey);
    if (root == nullptr || !ansiSubKey) return VARIANT_FALSE;
    RegistryKey key;  // opening for writing checks that it exists and may be changed
    if (RegOpenKeyExA(root, ansiSubKey->c_str(), 0, kWriteAccess, key.out()) != ERROR_SUCCESS) {
        return VARIANT_FALSE;
    }
    return RegDeleteKeyA(root, ansiSubKey->c_str()) == ERROR_SUCCESS ? VARIANT_TRUE : VARIANT_FALSE;
}

HKEY ExportableRootFromName(std::string_view rootName) {
    for (std::size_t i = 0; i < 4; ++i) {
        if (rootName == kRoots[i].name) return kRoots[i].root;
    }
    return nullptr;
}

HKEY ExportRootFromName(std::string& rootName) {
    if (HKEY root = ExportableRootFromName(rootName)) return root;
    showMessage(
        "Failure to pass a valid root type to the function.  HKEY_LOCAL_MACHINE will be used",
        "ERROR", MB_OK | MB_ICONSTOP);
    return HKEY_LOCAL_MACHINE;
}

SHORT RegistryEnumerateSubKeys(HKEY& root, std::string& subKey, std::vector<std::string>& names,
                               LONG& count) {
    return enumerateNames(NameKind::SubKeys, "RegistryEnumerateSubKeys", root, subKey, names,
                          count);
}

SHORT RegistryEnumerateValues(HKEY& root, std::string& subKey, std::vector<std::string>& names,
                              LONG& count) {
    return enumerateNames(NameKind::Values, "RegistryEnumerateValues", root, subKey, names, count);
}

DWORD LastValueType() { return lastValueType; }

KeyValue RegistryGetKeyValue(HKEY& root, std::string& subKey, std::string& valueName,
                             RawValue* rawOut) {
    KeyValue result;
    lastValueType = REG_NONE;
    try {
        RawValue local;
        RawValue& raw = rawOut ? *rawOut : local;
        if (!RegistryGetRawValue(root, subKey, valueName, &raw)) return result;
        lastValueType = raw.type;
        if (raw.type == REG_SZ) {
            std::string text = raw.bytes;
            if (const auto zero = text.find('\0'); zero != std::string::npos) text.resize(zero);
            result = unicode(text);
        } else if (raw.type == REG_DWORD && raw.bytes.size() == 4) {
            LONG number = 0;
            std::memcpy(&number, raw.bytes.data(), 4);
            result = number;
        }
    } catch (const std::bad_alloc&) {
        showMessage("Error: 7. Out of memory", "RegistryGetKeyValue", MB_OK);
    }
    return result;
}

bool RegistryGetRawValue(HKEY root, const std::string& subKey, const std::string& valueName,
                         RawValue* value) {
    const auto ansiSubKey = ansi(subKey);
    const auto name = ansi(valueName);
    if (!ansiSubKey || !name) return false;
    RegistryKey key;
    if (RegOpenKeyExA(root, ansiSubKey->c_str(), 0, KEY_QUERY_VALUE, key.out()) != ERROR_SUCCESS) {
        return false;
    }
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name->c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
        return false;
    }
    std::string bytes(size, '\0');
    if (size > 0 &&
        RegQueryValueExA(key.get(), name->c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(bytes.data()), &size) != ERROR_SUCCESS) {
        return false;
    }
    bytes.resize(size);
    value->found = true;
    value->type = type;
    value->bytes = std::move(bytes);
    return true;
}

}  // namespace trellis
