#pragma once
// What a .REG file asks for, read the way the Windows registry editor reads it:
// the header on the first line; key lines "[path]" and "[-path]"; value lines
// "name"=data and @=data with blanks around "=", data as "text", dword:digits,
// hex:bytes or hex(type):bytes, and "-" to remove; ";" comments after data;
// only hex data continue on the next line after ",\". What the editor would
// skip silently is refused here, with its line, before anything is written.

#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "platform/registry/win_types.h"
#include "trellis/reg_files/reg_file_error.h"

namespace trellis {

struct RegFileValue {
    std::string name;  // Windows-1252
    DWORD type = REG_SZ;
    std::string data;     // the bytes stored
    bool remove = false;  // "name"=-
};
struct RegFileKey {
    std::string path;     // upper-case root name, backslash, sub-key (Windows-1252)
    bool remove = false;  // "[-path]"
    std::vector<RegFileValue> values;
};

// The longest value name Windows stores, in characters.
inline constexpr std::size_t kLongestValueName = 16383;

pointilla::Result<std::vector<RegFileKey>, RegFileError> parseRegFile(std::string_view fileBytes);

}  // namespace trellis
