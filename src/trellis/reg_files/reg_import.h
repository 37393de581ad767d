#pragma once
// Restores a .REG file into the registry: REGEDIT4 files in Windows-1252 and
// "Windows Registry Editor Version 5.00" files in UTF-16LE with a byte-order
// mark (or in Windows-1252). The whole file is read and checked first; a
// malformed file, or one that registers a program the tools would run, is
// refused and nothing is written.

#include <filesystem>
#include <string>

#include "common/result.h"
#include "platform/files/file_error.h"
#include "trellis/reg_files/reg_file_error.h"

namespace trellis {

// Why an import wrote nothing. Names are UTF-8.
struct ImportFailure {
    enum class Kind {
        Unreadable,        // file
        Malformed,         // malformed
        LoadsProgram,      // key and value: a class server or a program the tools start
        StoreUnavailable,  // storeReason
        CannotRemove,      // key
        CannotCreate,      // key
        CannotWrite,       // key and value
        StoreRefused,      // storeReason: the transaction was not committed
    };
    Kind kind = Kind::Unreadable;
    pointilla::platform::files::FileError file;
    RegFileError malformed;
    std::string key;
    std::string value;
    std::string storeReason;  // the store's own words, when it gave some
};

struct ImportOptions {
    // Let the file register class servers and the About box's tool.
    bool allowClasses = false;
};

// Reads, checks and writes a .REG file in one transaction.
pointilla::Status<ImportFailure> importRegFile(const std::filesystem::path& file,
                                               ImportOptions options = {});

}  // namespace trellis
