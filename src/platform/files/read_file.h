#pragma once
// Reading a whole file that a person chose, whatever they chose.

#include <cstdint>
#include <filesystem>
#include <string>

#include "common/result.h"
#include "platform/files/file_error.h"

namespace pointilla::platform::files {

// The bytes of a regular file of at most maxBytes. A folder (EISDIR), a FIFO or
// a device (NotRegularFile) and a larger file (TooLarge) are refused before a
// byte is read, and opening never waits for a FIFO's writer: a wrong choice can
// neither hang the caller nor fill its memory.
Result<std::string, FileError> readRegularFile(const std::filesystem::path& path,
                                               std::uintmax_t maxBytes);

}  // namespace pointilla::platform::files
