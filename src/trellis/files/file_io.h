#pragma once
// File helpers of the export: existence tests with directory-search attribute
// masks, files opened by number for appending, and the English texts of file
// errors. A failing file operation throws FileError with its run-time error number.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "common/result.h"
#include "platform/com/com_types.h"

namespace trellis {

class FileError : public std::runtime_error {
  public:
    explicit FileError(LONG number) : std::runtime_error(describe(number)), number_(number) {}
    LONG number() const { return number_; }
    static std::string describe(LONG number);

  private:
    LONG number_;
};

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
SHORT FreeFile();  // a free file number, 0 when none is left
void OpenFileForAppend(const std::string& path, SHORT fileNumber);
void CloseFile(SHORT fileNumber);
// Writes bytes then CR LF to an open file number.
void PrintLine(SHORT fileNumber, std::string_view bytes);

// What replaces a file safely. The results carry run-time error numbers.
// A new, empty file beside path (that takes path's place once complete), open
// for writing under fileNumber; gives its own path.
pointilla::Result<std::string, LONG> OpenFileBeside(const std::string& path, SHORT fileNumber);
pointilla::Status<LONG> WriteLine(SHORT fileNumber, std::string_view bytes);
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
