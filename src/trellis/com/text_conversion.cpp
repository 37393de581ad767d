// UTF-8 <-> UTF-16 text of BSTRs and OLE names.

#include "codepage/cp1252.h"
#include "trellis/com/oleaut.h"

namespace trellis::com {

OleString utf16FromUtf8(std::string_view utf8) {
    OleString out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t cp = pointilla::codepage::decodeUtf8(utf8, pos);
        if (cp >= 0x10000) {
            const char32_t v = cp - 0x10000;
            out.push_back(static_cast<OLECHAR>(0xD800 + (v >> 10)));
            out.push_back(static_cast<OLECHAR>(0xDC00 + (v & 0x3FF)));
        } else {
            out.push_back(static_cast<OLECHAR>(cp));
        }
    }
    return out;
}

std::string utf8FromUtf16(OleStringView utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t cp = utf16[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        pointilla::codepage::appendUtf8(out, cp);
    }
    return out;
}

BSTR bstrFromUtf8(std::string_view utf8) {
    const OleString units = utf16FromUtf8(utf8);
    return SysAllocStringLen(units.data(), static_cast<UINT>(units.size()));
}

std::string utf8FromBstr(BSTR text) {
    if (text == nullptr) return {};
    return utf8FromUtf16(OleStringView(text, SysStringLen(text)));
}

}  // namespace trellis::com
