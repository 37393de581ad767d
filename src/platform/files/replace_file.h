#pragma once
// Giving a person's file new content without ever leaving half of it.

#include <filesystem>
#include <string_view>

#include "common/result.h"
#include "platform/files/file_error.h"

namespace pointilla::platform::files {

// Replaces the content of `path` as a careful editor does:
// - the new content goes to a temporary file beside the target, is flushed to
//   disk and renamed over the target only once complete, so a failure leaves
//   the old file exactly as it was;
// - a symbolic link is followed to the file it names (even one not there yet),
//   and the link stays;
// - a replaced file keeps its owner, group and mode;
// - an existing file that nobody may write is refused (EACCES), by its mode
//   bits too, so a privileged user does not override it by accident;
// - a folder (EISDIR), a FIFO or a device (NotRegularFile) is refused;
// - when no temporary file can be made beside a writable file (a folder the
//   user may not write, an owner the user cannot give away), the file is
//   rewritten in place after reserving its new size, so that a full disk fails
//   before a byte of it changes.
Status<FileError> replaceFileContent(const std::filesystem::path& path, std::string_view bytes);

}  // namespace pointilla::platform::files
