#pragma once
// The bytes of a .REG file as the registry editor writes it in Unicode:
// UTF-16 little-endian after its byte-order mark.

#include <string>

namespace trellis::testing {

inline std::string utf16File(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

}  // namespace trellis::testing
