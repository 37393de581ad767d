#include "codepage/visible_controls.h"

#include "codepage/cp1252.h"

namespace pointilla::codepage {
namespace {

bool isControl(char32_t codePoint) {
    return codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F);
}

void appendEscape(std::string& out, unsigned value) {
    switch (value) {
        case '\t':
            out += "\\t";
            return;
        case '\n':
            out += "\\n";
            return;
        case '\r':
            out += "\\r";
            return;
        default:
            break;
    }
    constexpr char kHex[] = "0123456789abcdef";
    out += "\\x";
    out.push_back(kHex[(value >> 4) & 0xF]);
    out.push_back(kHex[value & 0xF]);
}

}  // namespace

std::string escapeControls(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t start = pos;
        const char32_t codePoint = decodeUtf8(utf8, pos);
        // decodeUtf8 steps over a byte it cannot read by one, giving U+FFFD.
        const bool invalidByte = codePoint == 0xFFFD && pos - start == 1;
        if (invalidByte) {
            appendEscape(out, static_cast<unsigned char>(utf8[start]));
        } else if (isControl(codePoint)) {
            appendEscape(out, static_cast<unsigned>(codePoint));
        } else {
            out.append(utf8.substr(start, pos - start));
        }
    }
    return out;
}

}  // namespace pointilla::codepage
