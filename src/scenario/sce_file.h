#pragma once
// Scenario files (.sce): one line per row, action "¤" detail "¤" CR LF, in
// Windows-1252, no header, no byte-order mark. The reader and the writer never
// touch a scenario themselves: callers replace their rows only once a file was
// read, so a failed open loses nothing.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scenario/row.h"

namespace pointilla::scenario {

// A line whose action begins with "[" is no row: it renames the creation
// panel's captions. label8 goes in front of the web-address box; label9 in
// front of the click button and of the position fields.
struct HeaderCaptions {
    std::string label8;
    std::string label9;
    friend bool operator==(const HeaderCaptions&, const HeaderCaptions&) = default;
};

// Where and why the reading stopped before the end of the file.
struct ReadStop {
    int line = 0;  // 1-based
    std::string reason;
};

struct SceContent {
    std::vector<Row> rows;
    std::vector<HeaderCaptions> headers;  // in file order; the last one wins
    std::optional<ReadStop> stop;         // set when a bad line ended the reading
};

// Reads the bytes of a file. A line ends at CR LF or a lone CR (an LF alone
// ends nothing). Reading stops at a line without two "¤" and keeps the rows
// before it; header lines are handed over and reading goes on. Blank lines at
// the very end stop nothing that was there to read, so they set no stop.
SceContent parseSce(std::string_view bytes);

// A file operation that failed, with what a person needs to fix it.
struct FileError {
    enum class Kind { Open, Read, Write, Rename, NotEncodable };
    Kind kind = Kind::Open;
    std::filesystem::path path;
    int systemError = 0;  // errno, for the I/O kinds
    int row = 0;          // 1-based, for NotEncodable
    char32_t character = 0;

    // The reason in French, as the program shows it ("disque plein", ...).
    std::string reason() const;
};

struct LoadResult {
    std::optional<SceContent> content;  // empty when the file could not be read
    FileError error;
};
LoadResult loadSceFile(const std::filesystem::path& path);

// The exact bytes of a file holding these rows, or the row that holds a
// character Windows-1252 cannot represent (error->kind NotEncodable).
std::optional<std::string> encodeSce(const std::vector<Row>& rows, FileError* error = nullptr);

// Writes a temporary file beside the target and renames it over the target, so
// a failure never leaves a truncated file; an existing file keeps its
// permissions. std::nullopt on success.
std::optional<FileError> saveSceFile(const std::filesystem::path& path,
                                     const std::vector<Row>& rows);

}  // namespace pointilla::scenario
