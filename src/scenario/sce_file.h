#pragma once
// Scenario files (.sce): one line per row, action "¤" detail "¤" CR LF, in
// Windows-1252, no header, no byte-order mark. This is the format only, bytes
// in and bytes out; reading and saving files is the platform layer's. Callers
// replace their rows only once a whole file was read, so a failed open loses
// nothing.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "scenario/row.h"

namespace pointilla::scenario {

// Far above any real scenario (100,000 rows take 2.3 MiB): a larger file is
// refused before it is read.
constexpr std::uintmax_t kMaxSceFileBytes = std::uintmax_t{64} << 20;

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
    enum class Reason { EmptyLine, NoSeparator, NoSecondSeparator };
    int line = 0;  // 1-based
    Reason reason = Reason::EmptyLine;
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

// A row holding a character Windows-1252 cannot represent.
struct EncodeError {
    int row = 0;  // 1-based
    char32_t character = 0;
};

// The exact bytes of a file holding these rows.
Result<std::string, EncodeError> encodeSce(const std::vector<Row>& rows);

}  // namespace pointilla::scenario
