#pragma once
// Registry primitives on textual key paths such as
// HKEY_LOCAL_MACHINE\software\Pointilla\Pointilla, and the readers and
// enumerators the key export uses. Texts are UTF-8 here and Windows-1252 at the
// registry; a text with no Windows-1252 form cannot reach the registry, and the
// primitive fails. Boolean results are automation Booleans (True -1, False 0).

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/result.h"
#include "platform/com/com_types.h"
#include "platform/registry/win_types.h"
#include "trellis/store/registry_key.h"

namespace trellis {

inline constexpr LONG kBadKeyPath = 1010;

// Splits a path into its root handle and sub-key: on success root is set and
// path keeps only the sub-key; a rejected path gives root nullptr and stays as is.
void SplitKeyPath(std::string& path, HKEY& root);
HKEY RootFromName(std::string_view name);
// 0 when the path holds a backslash, else 1010.
LONG ValidRootKey(std::string_view keyPath);

// The primitives give what they read, or the registry status that stopped
// them. A path they reject (an unknown root, no "HKEY_" in front, a trailing
// backslash) names no key: its status is ERROR_FILE_NOT_FOUND. A name with no
// Windows-1252 form cannot have been stored (ERROR_FILE_NOT_FOUND when read) and
// cannot be written (ERROR_INVALID_PARAMETER), nor can such a text.
using RegStatus = pointilla::Status<LONG>;
template <class T>
using RegResult = pointilla::Result<T, LONG>;

RegStatus SetStringValue(const std::string& keyPath, const std::string& valueName,
                         const std::string& text);
// The stored text exactly as written (empty when an empty text is stored).
RegResult<std::string> GetStringValue(const std::string& keyPath, const std::string& valueName);
RegStatus SetDWORDValue(const std::string& keyPath, const std::string& valueName, LONG number);
RegResult<LONG> GetDWORDValue(const std::string& keyPath, const std::string& valueName);
// The value's bytes, one char per byte.
RegResult<std::string> GetBinaryValue(const std::string& keyPath, const std::string& valueName);
// Creates the key and its missing parents; an existing key counts as created.
RegStatus CreateKey(const std::string& keyPath);
// Deletes a key without sub-keys.
RegStatus DeleteKey(const std::string& keyPath);

// The export's own root-name parser: the four exportable roots; any other name
// warns and gives HKEY_LOCAL_MACHINE.
HKEY ExportRootFromName(std::string& rootName);
// Like RootFromName, limited to the roots a key path may name, without a warning.
HKEY ExportableRootFromName(std::string_view rootName);

// Fill names with the sub-key (or value) names of root\subKey and count with their
// number; return how many names were stored. A key that cannot be opened leaves
// names and count untouched and gives 0; any other failure is shown and gives 0.
LONG RegistryEnumerateSubKeys(HKEY& root, std::string& subKey, std::vector<std::string>& names,
                              LONG& count);
LONG RegistryEnumerateValues(HKEY& root, std::string& subKey, std::vector<std::string>& names,
                             LONG& count);

// A value's type and bytes as stored.
struct RawValue {
    DWORD type = REG_NONE;
    std::string bytes;
};
// What the export reads of a value: text for REG_SZ, number for REG_DWORD,
// nothing otherwise, with the value's type (REG_NONE when it could not be read).
struct KeyValue {
    std::variant<std::monostate, std::string, LONG> data;
    DWORD type = REG_NONE;
    bool operator==(const KeyValue&) const = default;
};
KeyValue RegistryGetKeyValue(HKEY& root, std::string& subKey, std::string& valueName);

RegResult<RawValue> RegistryGetRawValue(HKEY root, const std::string& subKey,
                                        const std::string& valueName);

// The readers of the export, which tell a missing key or value (a status for
// which IsAbsence holds) from a registry that cannot be read.
bool IsAbsence(LONG status);
// Opens root\subKey for the readers below, which work on the opened key.
pointilla::Status<LONG> OpenKeyToRead(HKEY root, const std::string& subKey, RegistryKey& key);
// Every name, however many: the list ends only where the registry says so. A
// name holds what is stored, a line break or zero byte included.
pointilla::Result<std::vector<std::string>, LONG> ListSubKeyNames(HKEY key);
pointilla::Result<std::vector<std::string>, LONG> ListValueNames(HKEY key);
pointilla::Result<RawValue, LONG> ReadRawValue(HKEY key, const std::string& valueName);
// Deletes a key (sub-key in Windows-1252) and everything below it, however deep,
// one level at a time; a missing key is no failure.
pointilla::Status<LONG> DeleteKeyTree(HKEY root, const std::string& ansiSubKey);
// What a registry status means, for messages.
std::string RegistryFailureText(LONG status);

}  // namespace trellis
