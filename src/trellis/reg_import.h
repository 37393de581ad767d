#pragma once
// Restores a .REG file into the registry: REGEDIT4 files in Windows-1252 and
// "Windows Registry Editor Version 5.00" files in UTF-16LE with a byte-order
// mark (or in Windows-1252). The whole file is read and checked first; a
// malformed file is refused with its line number and nothing is written.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "platform/registry/win_types.h"

namespace trellis {

struct RegFileValue {
    std::string name;  // Windows-1252
    DWORD type = REG_SZ;
    std::string data;     // the bytes stored
    bool remove = false;  // "name"=-
};
struct RegFileKey {
    std::string path;     // root name, backslash, sub-key (Windows-1252)
    bool remove = false;  // "[-path]"
    std::vector<RegFileValue> values;
};
struct RegFileParse {
    std::vector<RegFileKey> keys;
    std::string error;  // empty when the file is well-formed
    std::size_t errorLine = 0;
};

// Parses the bytes of a .REG file.
RegFileParse parseRegFile(std::string_view fileBytes);

// Reads, checks and writes a .REG file in one transaction; on failure, the
// reason (with the line number when the file is malformed) and nothing written.
pointilla::Status<std::string> importRegFile(const std::filesystem::path& file);

}  // namespace trellis
