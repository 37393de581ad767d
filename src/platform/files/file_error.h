#pragma once
// Why a file could not be read or written, for the user interface to put in
// its own words.

#include <cstdint>

namespace pointilla::platform::files {

struct FileError {
    enum class Kind {
        System,          // the system refused; systemError holds its errno
        NotRegularFile,  // a FIFO, a device or a socket: never read nor replaced
        TooLarge,        // larger than the caller accepts (limit)
    };
    Kind kind = Kind::System;
    int systemError = 0;
    std::uintmax_t limit = 0;  // bytes, for TooLarge

    static FileError system(int err) { return {Kind::System, err, 0}; }
};

}  // namespace pointilla::platform::files
