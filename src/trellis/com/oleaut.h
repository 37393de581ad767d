#pragma once
// The few OLE Automation helpers the control and its hosts use: text strings
// (BSTR) and variants, plus conversions between BSTR and UTF-8.

#include <string>
#include <string_view>

#include "platform/com/com_types.h"
#include "platform/com/oleaut_functions.h"

namespace trellis::com {

// UTF-16 text in the platform's OLE character type.
using OleString = std::basic_string<OLECHAR>;
using OleStringView = std::basic_string_view<OLECHAR>;

// UTF-8 <-> BSTR. Invalid UTF-8 becomes U+FFFD; unpaired surrogates likewise.
BSTR bstrFromUtf8(std::string_view utf8);
std::string utf8FromBstr(BSTR text);
OleString utf16FromUtf8(std::string_view utf8);
std::string utf8FromUtf16(OleStringView utf16);

// Owns one BSTR.
class Bstr {
  public:
    Bstr() = default;
    explicit Bstr(std::string_view utf8) : text_(bstrFromUtf8(utf8)) {}
    ~Bstr() { SysFreeString(text_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR get() const { return text_; }
    BSTR release() {
        BSTR t = text_;
        text_ = nullptr;
        return t;
    }

  private:
    BSTR text_ = nullptr;
};

// Owns one VARIANT's contents.
class Variant {
  public:
    Variant() { VariantInit(&v_); }
    ~Variant() { VariantClear(&v_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    VARIANT* get() { return &v_; }
    const VARIANT& operator*() const { return v_; }

  private:
    VARIANT v_;
};

}  // namespace trellis::com
