#include "trellis/reg_files/reg_file_text.h"

#include <cstdio>

#include "codepage/cp1252.h"

namespace trellis {
namespace {

using pointilla::fail;
using Kind = RegFileError::Kind;

bool startsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

// "U+65E5 日": the code point, then the character itself when it is one.
std::string named(char32_t codePoint) {
    char number[16];
    std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(codePoint));
    std::string out = number;
    if (codePoint >= 0x20 && (codePoint < 0xD800 || codePoint > 0xDFFF)) {
        out += ' ';
        pointilla::codepage::appendUtf8(out, codePoint);
    }
    return out;
}

// Splits Windows-1252 text at CR LF, LF and lone CR, as the registry editor does.
std::vector<RegFileLine> splitLines(std::string_view text) {
    std::vector<RegFileLine> lines;
    std::size_t start = 0;
    for (std::size_t number = 1;; ++number) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back({std::string(text.substr(start)), number});
            return lines;
        }
        lines.push_back({std::string(text.substr(start, end - start)), number});
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
}

// The Windows-1252 text of UTF-16LE bytes; a failure's line counts the line
// ends met before it, starting from firstLine.
pointilla::Result<std::string, RegFileError> convertUtf16(std::string_view bytes,
                                                          std::size_t firstLine) {
    std::string out;
    std::size_t line = firstLine;
    const auto unit = [&](std::size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(bytes[i]) |
                                     (static_cast<unsigned char>(bytes[i + 1]) << 8));
    };
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        const auto byte = pointilla::codepage::cp1252ByteOf(c);
        if (!byte) {
            return fail(RegFileError{Kind::CharacterOutsideCp1252, line, named(c)});
        }
        if (c == '\n' || (c == '\r' && !(i + 3 < bytes.size() && unit(i + 2) == '\n'))) ++line;
        out.push_back(static_cast<char>(*byte));
    }
    if (bytes.size() % 2 != 0) return fail(RegFileError{Kind::OddUtf16Length, line, {}});
    return out;
}

}  // namespace

pointilla::Result<RegFileText, RegFileError> decodeRegFile(std::string_view bytes) {
    if (startsWith(bytes, "\xEF\xBB\xBF")) return fail(RegFileError{Kind::Utf8File, 1, {}});
    if (startsWith(bytes, "\xFE\xFF")) return fail(RegFileError{Kind::Utf16BigEndian, 1, {}});
    if (!startsWith(bytes, "\xFF\xFE")) return RegFileText{splitLines(bytes), false};
    auto text = convertUtf16(bytes.substr(2), 1);
    if (!text) return fail(std::move(text).error());
    return RegFileText{splitLines(*text), true};
}

pointilla::Result<std::string, RegFileError> cp1252FromUtf16Bytes(std::string_view bytes) {
    if (bytes.size() % 2 != 0) return fail(RegFileError{Kind::OddUtf16Text, 0, {}});
    return convertUtf16(bytes, 0);
}

}  // namespace trellis
