#pragma once
// Windows-1252 <-> UTF-8. Scenario files, registry strings and .REG exports are
// 8-bit text in this code page; the program works in UTF-8 everywhere else.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace pointilla::codepage {

// Every byte maps to some character. The five bytes Windows leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, as
// Windows' own MultiByteToWideChar does, so any byte string round-trips.
std::string cp1252ToUtf8(std::string_view bytes);

// Where the conversion failed: the offset in the UTF-8 input of the first
// character that has no Windows-1252 byte, or of the first invalid UTF-8 sequence.
struct EncodeError {
    std::size_t offset = 0;
    char32_t codePoint = 0;  // 0xFFFD for invalid UTF-8
};

// Converts UTF-8 to Windows-1252; never substitutes a "?". On failure returns
// std::nullopt and, when error is given, where the failure is.
std::optional<std::string> utf8ToCp1252(std::string_view utf8, EncodeError* error = nullptr);

// The Windows-1252 byte of one code point, if it has one.
std::optional<unsigned char> cp1252ByteOf(char32_t codePoint);

// The code point of one Windows-1252 byte.
char32_t codePointOfCp1252(unsigned char byte);

// Decodes one UTF-8 sequence at text[pos]; advances pos. Invalid input gives
// U+FFFD and advances by one byte.
char32_t decodeUtf8(std::string_view text, std::size_t& pos);

// Appends the UTF-8 form of a code point.
void appendUtf8(std::string& out, char32_t codePoint);

}  // namespace pointilla::codepage
