#pragma once
// File helpers of the export: existence tests with directory-search attribute
// masks, files opened by number for appending, and the English texts of file
// errors. A failing file operation gives its run-time error number.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/result.h"
#include "platform/com/com_types.h"

namespace trellis {

// Attribute masks of the directory search.
inline constexpr SHORT kAttrNormal = 0;
inline constexpr SHORT kAttrReadOnly = 1;
inline constexpr SHORT kAttrHidden = 2;
inline constexpr SHORT kAttrSystem = 4;
inline constexpr SHORT kAttrVolume = 8;
inline constexpr SHORT kAttrDirectory = 16;

// FileIOErrors
std::string FileErrorText(LONG number);

// FileIOFunctions
VARIANT_BOOL FileExists(const std::string& path, SHORT attributes);
// A free file number; none when every number is taken.
std::optional<SHORT> FreeFile();
pointilla::Status<LONG> OpenFileForAppend(const std::string& path, SHORT fileNumber);
// Closing a number that is not open does nothing; buffered bytes that cannot
// reach the file are the close's failure.
pointilla::Status<LONG> CloseFile(SHORT fileNumber);
// Writes bytes then CR LF to an open file number.
pointilla::Status<LONG> WriteLine(SHORT fileNumber, std::string_view bytes);

// What replaces a file safely.
// A new, empty file beside path (that takes path's place once complete), open
// for writing under fileNumber; gives its own path.
pointilla::Result<std::string, LONG> OpenFileBeside(const std::string& path, SHORT fileNumber);
// Puts what was written on the disk and closes the number, whatever the outcome.
pointilla::Status<LONG> CommitFile(SHORT fileNumber);
// Closes the number of a file given up on, dropping what is buffered.
void AbandonFile(SHORT fileNumber) noexcept;
// Puts a complete file in place as current, keeping the previous current as
// previous: the earlier previous goes, current becomes previous, file becomes
// current. Links are moved, never followed. On failure every name is as it was.
pointilla::Status<LONG> RotateInto(const std::string& file, const std::string& current,
                                   const std::string& previous);

}  // namespace trellis
