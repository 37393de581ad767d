#pragma once
// The lines of a .REG file as Windows-1252 text. The registry editor reads two
// encodings: the ANSI code page (here Windows-1252, the store's) and UTF-16LE
// behind its byte-order mark. Lines end at CR LF, LF or a lone CR.

#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "trellis/reg_files/reg_file_error.h"

namespace trellis {

struct RegFileLine {
    std::string text;  // Windows-1252, without its line end
    std::size_t number = 0;
};

struct RegFileText {
    std::vector<RegFileLine> lines;
    bool unicode = false;  // UTF-16LE: hex(1), hex(2) and hex(7) bytes are UTF-16 too
};

// A UTF-8 or big-endian file is refused rather than read as Windows-1252, and a
// character the store's code page lacks is refused with its line.
pointilla::Result<RegFileText, RegFileError> decodeRegFile(std::string_view bytes);

// UTF-16LE bytes as Windows-1252 text; the failure names the first character
// Windows-1252 lacks, or says the bytes end within a character.
pointilla::Result<std::string, RegFileError> cp1252FromUtf16Bytes(std::string_view bytes);

}  // namespace trellis
