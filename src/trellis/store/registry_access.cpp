#include "trellis/store/registry_access.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <deque>
#include <new>
#include <optional>

#include "codepage/cp1252.h"
#include "platform/registry/advapi32.h"
#include "trellis/control/notifier.h"
#include "trellis/store/registry_calls.h"
#include "trellis/store/registry_key.h"

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

// The registry's side of a text: Windows-1252, or nothing when it has no form there.
std::optional<std::string> ansi(std::string_view utf8) {
    return pointilla::codepage::utf8ToCp1252(utf8);
}
std::string unicode(std::string_view cp1252) { return pointilla::codepage::cp1252ToUtf8(cp1252); }

RegStatus statusOf(LONG status) {
    if (status != ERROR_SUCCESS) return pointilla::fail(status);
    return {};
}

// The root and Windows-1252 sub-key of a key path the primitives accept.
struct SplitPath {
    HKEY root;
    std::string ansiSubKey;
};
RegResult<SplitPath> splitPath(std::string keyPath) {
    HKEY root = nullptr;
    SplitKeyPath(keyPath, root);
    auto subKey = ansi(keyPath);
    if (root == nullptr || !subKey) return pointilla::fail(ERROR_FILE_NOT_FOUND);
    return SplitPath{root, std::move(*subKey)};
}

// Splits a key path and opens its sub-key.
RegStatus openPath(const std::string& keyPath, REGSAM access, RegistryKey& key) {
    auto path = splitPath(keyPath);
    if (!path) return pointilla::fail(path.error());
    return statusOf(reg::RegOpenKeyExA(path->root, path->ansiSubKey.c_str(), 0, access, key.out()));
}

// A value name as the registry takes it.
RegResult<std::string> ansiName(std::string_view valueName) {
    auto name = ansi(valueName);
    if (!name) return pointilla::fail(ERROR_FILE_NOT_FOUND);
    return std::move(*name);
}

// The names of an opened key's sub-keys or values, in Windows-1252, until the
// registry says there are no more. A name longer than any counted before (one
// written meanwhile) is read again with room for it.
enum class NameKind { SubKeys, Values };
constexpr std::size_t kLongestName = 16384;

pointilla::Result<std::vector<std::string>, LONG> listNames(HKEY key, NameKind kind) {
    DWORD subKeys = 0, maxSubKeyLen = 0, values = 0, maxValueNameLen = 0;
    FILETIME written{};
    if (const LONG status =
            reg::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, &maxSubKeyLen, nullptr,
                                  &values, &maxValueNameLen, nullptr, nullptr, &written);
        status != ERROR_SUCCESS) {
        return pointilla::fail(status);
    }
    std::vector<std::string> names;
    names.reserve(kind == NameKind::SubKeys ? subKeys : values);
    std::string buffer((kind == NameKind::SubKeys ? maxSubKeyLen : maxValueNameLen) + 2, ' ');
    for (DWORD i = 0;;) {
        // Blanks around the name let its terminator, the last zero, be found even
        // when the name holds a zero byte itself.
        std::fill(buffer.begin(), buffer.end(), ' ');
        auto length = static_cast<DWORD>(buffer.size());
        const LONG status = kind == NameKind::SubKeys
                                ? reg::RegEnumKeyA(key, i, buffer.data(), length)
                                : reg::RegEnumValueA(key, i, buffer.data(), &length, nullptr,
                                                     nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status == ERROR_MORE_DATA && buffer.size() < kLongestName) {
            buffer.assign(std::min(buffer.size() * 2, kLongestName), ' ');
            continue;
        }
        if (status != ERROR_SUCCESS) return pointilla::fail(status);
        const std::size_t end = kind == NameKind::Values ? length : buffer.rfind('\0');
        if (end == std::string::npos || end >= buffer.size()) {
            return pointilla::fail(ERROR_MORE_DATA);
        }
        names.push_back(buffer.substr(0, end));
        ++i;
    }
    return names;
}

pointilla::Result<std::vector<std::string>, LONG> listNamesAt(HKEY root, const std::string& subKey,
                                                              NameKind kind) {
    RegistryKey key;
    if (auto opened = OpenKeyToRead(root, subKey, key); !opened) {
        return pointilla::fail(opened.error());
    }
    return kind == NameKind::SubKeys ? ListSubKeyNames(key.get()) : ListValueNames(key.get());
}

pointilla::Result<RawValue, LONG> readRawValueAt(HKEY root, const std::string& subKey,
                                                 const std::string& valueName) {
    RegistryKey key;
    if (auto opened = OpenKeyToRead(root, subKey, key); !opened) {
        return pointilla::fail(opened.error());
    }
    return ReadRawValue(key.get(), valueName);
}

LONG enumerateNames(NameKind kind, const char* procedure, HKEY root, const std::string& subKey,
                    std::vector<std::string>& names, LONG& count) {
    try {
        auto listed = listNamesAt(root, subKey, kind);
        if (!listed) {
            if (!IsAbsence(listed.error())) {
                showMessage("Error: " + std::to_string(listed.error()) + ". " +
                                RegistryFailureText(listed.error()),
                            procedure, MB_OK);
            }
            return 0;
        }
        count = static_cast<LONG>(listed->size());
        if (!listed->empty()) names = std::move(*listed);
        return count;
    } catch (const std::bad_alloc&) {
        showMessage("Error: 7. Out of memory", procedure, MB_OK);
    }
    return 0;
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

RegStatus SetStringValue(const std::string& keyPath, const std::string& valueName,
                         const std::string& text) {
    const auto bytes = ansi(text);
    if (!bytes) return pointilla::fail(ERROR_INVALID_PARAMETER);
    const auto name = ansiName(valueName);
    if (!name) return pointilla::fail(ERROR_INVALID_PARAMETER);
    RegistryKey key;
    if (auto opened = openPath(keyPath, kWriteAccess, key); !opened) return opened;
    // The text goes in without a terminating zero: its byte count is its length.
    return statusOf(reg::RegSetValueExA(key.get(), name->c_str(), 0, REG_SZ,
                                        reinterpret_cast<const BYTE*>(bytes->data()),
                                        static_cast<DWORD>(bytes->size())));
}

RegResult<std::string> GetStringValue(const std::string& keyPath, const std::string& valueName) {
    const auto name = ansiName(valueName);
    if (!name) return pointilla::fail(name.error());
    RegistryKey key;
    if (auto opened = openPath(keyPath, kReadAccess, key); !opened) {
        return pointilla::fail(opened.error());
    }
    // Most texts fit a first buffer; a longer one is read again at its full size.
    DWORD type = REG_SZ;
    std::string buffer(256, '\0');
    DWORD size = static_cast<DWORD>(buffer.size());
    LONG status = reg::RegQueryValueExA(key.get(), name->c_str(), nullptr, &type,
                                        reinterpret_cast<BYTE*>(buffer.data()), &size);
    if (status == ERROR_MORE_DATA) {
        buffer.assign(size, '\0');
        status = reg::RegQueryValueExA(key.get(), name->c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(buffer.data()), &size);
    }
    if (status != ERROR_SUCCESS) return pointilla::fail(status);
    buffer.resize(size);
    // A terminating zero, when the writer stored one, is not part of the text.
    if (const auto zero = buffer.find('\0'); zero != std::string::npos) buffer.resize(zero);
    return unicode(buffer);
}

RegStatus SetDWORDValue(const std::string& keyPath, const std::string& valueName, LONG number) {
    const auto name = ansiName(valueName);
    if (!name) return pointilla::fail(ERROR_INVALID_PARAMETER);
    RegistryKey key;
    if (auto opened = openPath(keyPath, kWriteAccess, key); !opened) return opened;
    BYTE data[4];
    std::memcpy(data, &number, sizeof data);
    return statusOf(reg::RegSetValueExA(key.get(), name->c_str(), 0, REG_DWORD, data, 4));
}

RegResult<LONG> GetDWORDValue(const std::string& keyPath, const std::string& valueName) {
    const auto name = ansiName(valueName);
    if (!name) return pointilla::fail(name.error());
    RegistryKey key;
    if (auto opened = openPath(keyPath, kReadAccess, key); !opened) {
        return pointilla::fail(opened.error());
    }
    LONG number = 0;
    DWORD type = REG_DWORD;
    DWORD size = 4;
    if (const LONG status = reg::RegQueryValueExA(key.get(), name->c_str(), nullptr, &type,
                                                  reinterpret_cast<BYTE*>(&number), &size);
        status != ERROR_SUCCESS) {
        return pointilla::fail(status);
    }
    return number;
}

RegResult<std::string> GetBinaryValue(const std::string& keyPath, const std::string& valueName) {
    const auto name = ansiName(valueName);
    if (!name) return pointilla::fail(name.error());
    RegistryKey key;
    if (auto opened = openPath(keyPath, kReadAccess, key); !opened) {
        return pointilla::fail(opened.error());
    }
    // The first query only learns the size.
    DWORD type = REG_BINARY;
    DWORD size = 1;
    BYTE probe = '0';
    reg::RegQueryValueExA(key.get(), name->c_str(), nullptr, &type, &probe, &size);
    std::string buffer(size, ' ');
    type = REG_BINARY;
    if (const LONG status = reg::RegQueryValueExA(key.get(), name->c_str(), nullptr, &type,
                                                  reinterpret_cast<BYTE*>(buffer.data()), &size);
        status != ERROR_SUCCESS) {
        return pointilla::fail(status);
    }
    buffer.resize(size);
    return buffer;
}

RegStatus CreateKey(const std::string& keyPath) {
    const auto path = splitPath(keyPath);
    if (!path) return pointilla::fail(path.error());
    RegistryKey created;
    return statusOf(reg::RegCreateKeyA(path->root, path->ansiSubKey.c_str(), created.out()));
}

RegStatus DeleteKey(const std::string& keyPath) {
    const auto path = splitPath(keyPath);
    if (!path) return pointilla::fail(path.error());
    RegistryKey key;  // opening for writing checks that it exists and may be changed
    if (const LONG status =
            reg::RegOpenKeyExA(path->root, path->ansiSubKey.c_str(), 0, kWriteAccess, key.out());
        status != ERROR_SUCCESS) {
        return pointilla::fail(status);
    }
    return statusOf(reg::RegDeleteKeyA(path->root, path->ansiSubKey.c_str()));
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

LONG RegistryEnumerateSubKeys(HKEY& root, std::string& subKey, std::vector<std::string>& names,
                              LONG& count) {
    return enumerateNames(NameKind::SubKeys, "RegistryEnumerateSubKeys", root, subKey, names,
                          count);
}

LONG RegistryEnumerateValues(HKEY& root, std::string& subKey, std::vector<std::string>& names,
                             LONG& count) {
    return enumerateNames(NameKind::Values, "RegistryEnumerateValues", root, subKey, names, count);
}

KeyValue RegistryGetKeyValue(HKEY& root, std::string& subKey, std::string& valueName) {
    KeyValue result;
    try {
        auto raw = RegistryGetRawValue(root, subKey, valueName);
        if (!raw) return result;
        result.type = raw->type;
        if (raw->type == REG_SZ) {
            std::string text = raw->bytes;
            if (const auto zero = text.find('\0'); zero != std::string::npos) text.resize(zero);
            result.data = unicode(text);
        } else if (raw->type == REG_DWORD && raw->bytes.size() == 4) {
            LONG number = 0;
            std::memcpy(&number, raw->bytes.data(), 4);
            result.data = number;
        }
    } catch (const std::bad_alloc&) {
        showMessage("Error: 7. Out of memory", "RegistryGetKeyValue", MB_OK);
    }
    return result;
}

RegResult<RawValue> RegistryGetRawValue(HKEY root, const std::string& subKey,
                                        const std::string& valueName) {
    return readRawValueAt(root, subKey, valueName);
}

bool IsAbsence(LONG status) {
    return status == ERROR_FILE_NOT_FOUND || status == ERROR_KEY_DELETED;
}

pointilla::Status<LONG> OpenKeyToRead(HKEY root, const std::string& subKey, RegistryKey& key) {
    const auto ansiSubKey = ansi(subKey);
    // A name without a Windows-1252 form cannot have been stored.
    if (!ansiSubKey) return pointilla::fail(ERROR_FILE_NOT_FOUND);
    if (const LONG status =
            reg::RegOpenKeyExA(root, ansiSubKey->c_str(), 0, kEnumerateAccess, key.out());
        status != ERROR_SUCCESS) {
        return pointilla::fail(status);
    }
    return {};
}

pointilla::Result<std::vector<std::string>, LONG> ListSubKeyNames(HKEY key) {
    auto names = listNames(key, NameKind::SubKeys);
    if (names) {
        for (auto& name : *names) name = unicode(name);
    }
    return names;
}

pointilla::Result<std::vector<std::string>, LONG> ListValueNames(HKEY key) {
    auto names = listNames(key, NameKind::Values);
    if (names) {
        for (auto& name : *names) name = unicode(name);
    }
    return names;
}

pointilla::Result<RawValue, LONG> ReadRawValue(HKEY key, const std::string& valueName) {
    const auto name = ansi(valueName);
    if (!name) return pointilla::fail(ERROR_FILE_NOT_FOUND);
    RawValue value;
    DWORD size = 0;
    LONG status = reg::RegQueryValueExA(key, name->c_str(), nullptr, &value.type, nullptr, &size);
    // A value that grows between the two queries is read again at its new size.
    for (int attempt = 0;; ++attempt) {
        if (status != ERROR_SUCCESS) return pointilla::fail(status);
        value.bytes.assign(size, '\0');
        if (size == 0) break;
        DWORD got = size;
        status = reg::RegQueryValueExA(key, name->c_str(), nullptr, &value.type,
                                       reinterpret_cast<BYTE*>(value.bytes.data()), &got);
        if (status == ERROR_SUCCESS) {
            value.bytes.resize(got);
            break;
        }
        if (status != ERROR_MORE_DATA || attempt == 3) return pointilla::fail(status);
        size = got;
        status = ERROR_SUCCESS;
    }
    return value;
}

pointilla::Status<LONG> DeleteKeyTree(HKEY root, const std::string& ansiSubKey) {
    // One level per key on the way down, each opened under its parent, so that
    // no path is walked again and no call nests deeper than the loop.
    struct Level {
        RegistryKey key;
        std::string name;
        std::vector<std::string> children;
        std::size_t next = 0;
    };
    std::deque<Level> levels;
    const auto enter = [&](HKEY parent, const std::string& name) -> LONG {
        Level& level = levels.emplace_back();
        level.name = name;
        LONG status = reg::RegOpenKeyExA(parent, name.c_str(), 0, KEY_READ, level.key.out());
        if (status == ERROR_SUCCESS) {
            auto children = listNames(level.key.get(), NameKind::SubKeys);
            if (children) {
                level.children = std::move(*children);
            } else {
                status = children.error();
            }
        }
        if (status != ERROR_SUCCESS) levels.pop_back();
        return status;
    };
    if (const LONG status = enter(root, ansiSubKey); status != ERROR_SUCCESS) {
        if (IsAbsence(status)) return {};
        return pointilla::fail(status);
    }
    while (!levels.empty()) {
        Level& top = levels.back();
        if (top.next < top.children.size()) {
            const std::string& child = top.children[top.next++];
            // Such a name would reach the registry cut short, naming another key.
            if (child.find('\0') != std::string::npos) {
                return pointilla::fail(ERROR_INVALID_PARAMETER);
            }
            if (const LONG status = enter(top.key.get(), child);
                status != ERROR_SUCCESS && !IsAbsence(status)) {
                return pointilla::fail(status);
            }
            continue;
        }
        const std::string name = top.name;
        levels.pop_back();
        const HKEY parent = levels.empty() ? root : levels.back().key.get();
        if (const LONG status = reg::RegDeleteKeyA(parent, name.c_str());
            status != ERROR_SUCCESS && !IsAbsence(status)) {
            return pointilla::fail(status);
        }
    }
    return {};
}

std::string RegistryFailureText(LONG status) {
    const char* meaning = "the registry cannot be read";
    switch (status) {
        case ERROR_FILE_NOT_FOUND:
            meaning = "no such key or value";
            break;
        case ERROR_ACCESS_DENIED:
            meaning = "access denied";
            break;
        case ERROR_INVALID_HANDLE:
            meaning = "the key was closed while in use";
            break;
        case ERROR_NOT_ENOUGH_MEMORY:
            meaning = "out of memory";
            break;
        case ERROR_INVALID_PARAMETER:
            meaning = "a name the registry functions cannot pass";
            break;
        case ERROR_BADDB:
            meaning = "the registry store cannot be used";
            break;
        case ERROR_REGISTRY_IO_FAILED:
            meaning = "the registry store could not be read or written";
            break;
        case ERROR_KEY_DELETED:
            meaning = "the key was deleted";
            break;
        default:
            break;
    }
    return "registry status " + std::to_string(status) + ", " + meaning;
}

}  // namespace trellis
