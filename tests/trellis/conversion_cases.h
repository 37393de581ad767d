#pragma once
// How the control converts its arguments, checked the same way against the
// object in this process (Linux) and against Trellis.dll under Wine: every
// value a Visual Basic caller can pass reaches the member in its declared type
// (VariantChangeType), and a refused one writes nothing.
// Needs CurrentKey set to a writable key; value names c0, c1, ... are used.

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <oleauto.h>
#else
#include "platform/com/com_interfaces.h"
#include "trellis/com/oleaut.h"
#endif

namespace conversion_cases {

using Report = std::function<void(bool ok, const std::string& what)>;

inline VARIANT make(VARTYPE type) {
    VARIANT v;
    VariantInit(&v);
    v.vt = type;
    return v;
}
inline VARIANT real(double d) {
    VARIANT v = make(VT_R8);
    v.dblVal = d;
    return v;
}
inline VARIANT text(const char* ascii) {
    std::basic_string<OLECHAR> units(ascii, ascii + std::strlen(ascii));
    VARIANT v = make(VT_BSTR);
    v.bstrVal = SysAllocStringLen(units.data(), static_cast<UINT>(units.size()));
    return v;
}
inline VARIANT currency(long long tenThousandths) {
    VARIANT v = make(VT_CY);
#ifdef _WIN32
    v.cyVal.int64 = tenThousandths;
#else
    v.cyVal = tenThousandths;
#endif
    return v;
}
inline VARIANT decimal(unsigned long long magnitude, unsigned char scale, bool negative) {
    DECIMAL d{};
    d.scale = scale;
    d.sign = negative ? DECIMAL_NEG : 0;
    d.Lo64 = magnitude;
    VARIANT v;
    std::memcpy(&v, &d, sizeof d);  // a decimal fills the whole variant
    v.vt = VT_DECIMAL;
    return v;
}
inline std::string ascii(BSTR b) {
    std::string out;
    for (UINT i = 0; b != nullptr && i < SysStringLen(b); ++i)
        out.push_back(static_cast<char>(b[i]));
    return out;
}

struct Case {
    const char* what;
    VARIANT argument;
    VARTYPE declared;  // VT_I4: lNewDWORDValue of SetDWORDVal; VT_BSTR: sNewStringValue
    HRESULT expected;
    std::string result;  // what the value reads back as, on success
};

inline std::vector<Case> cases() {
    static double byRefReal = 7.0;
    static VARIANT inner = real(6.0);
    static VARIANT innerText = text("by reference");
    VARIANT byRef = make(VT_R8 | VT_BYREF);
    byRef.pdblVal = &byRefReal;
    VARIANT byRefVariant = make(VT_VARIANT | VT_BYREF);
    byRefVariant.pvarVal = &inner;
    VARIANT byRefVariantText = make(VT_VARIANT | VT_BYREF);
    byRefVariantText.pvarVal = &innerText;
    VARIANT truth = make(VT_BOOL);
    truth.boolVal = VARIANT_TRUE;
    VARIANT falsehood = make(VT_BOOL);  // True would be -1, which reads back as a failure
    falsehood.boolVal = VARIANT_FALSE;
    VARIANT byte = make(VT_UI1);
    byte.bVal = 200;
    VARIANT single = make(VT_R4);
    single.fltVal = 1.5F;
    VARIANT negative = make(VT_I4);
    negative.lVal = -12;
    return {
        {"a Double holding a whole number (10/2)", real(5.0), VT_I4, S_OK, "5"},
        {"a Double halfway rounds to even (2.5)", real(2.5), VT_I4, S_OK, "2"},
        {"a Double halfway rounds to even (3.5)", real(3.5), VT_I4, S_OK, "4"},
        {"a Single (1.5)", single, VT_I4, S_OK, "2"},
        {"a Currency (12.5)", currency(125000), VT_I4, S_OK, "12"},
        {"a Decimal (7.5)", decimal(75, 1, false), VT_I4, S_OK, "8"},
        {"a Boolean False", falsehood, VT_I4, S_OK, "0"},
        {"a Byte", byte, VT_I4, S_OK, "200"},
        {"numeric text with blanks", text(" 42 "), VT_I4, S_OK, "42"},
        {"numeric text with an exponent", text("1e3"), VT_I4, S_OK, "1000"},
        {"a Double by reference", byRef, VT_I4, S_OK, "7"},
        {"a variant by reference holding a Double", byRefVariant, VT_I4, S_OK, "6"},
        {"a Double as text (10/2)", real(5.0), VT_BSTR, S_OK, "5"},
        {"a Double with a fraction as text", real(2.5), VT_BSTR, S_OK, "2.5"},
        {"a Long as text", negative, VT_BSTR, S_OK, "-12"},
        {"a Boolean as text", truth, VT_BSTR, S_OK, "True"},
        {"a Currency as text", currency(125000), VT_BSTR, S_OK, "12.5"},
        {"a Decimal as text", decimal(25, 2, true), VT_BSTR, S_OK, "-0.25"},
        {"a variant by reference holding text", byRefVariantText, VT_BSTR, S_OK, "by reference"},
        {"a Double beyond a Long", real(3e9), VT_I4, DISP_E_OVERFLOW, ""},
        {"text that is no number", text("twelve"), VT_I4, DISP_E_TYPEMISMATCH, ""},
        {"Null", make(VT_NULL), VT_BSTR, DISP_E_TYPEMISMATCH, ""},
    };
}

// Calls a member by name, arguments first to last.
inline HRESULT call(IDispatch* object, const char* member, WORD flags, std::vector<VARIANT> args,
                    VARIANT* result, UINT* argError) {
    std::basic_string<OLECHAR> name(member, member + std::strlen(member));
    LPOLESTR names[1] = {name.data()};
    DISPID id = 0;
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
    if (FAILED(hr)) return hr;
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    VariantInit(result);
    return object->Invoke(id, IID_NULL, 0, flags, &params, result, nullptr, argError);
}

// Runs every case; each writes the value c<n> and reads it back.
inline void run(IDispatch* object, const Report& report) {
    int n = 0;
    for (Case& c : cases()) {
        const std::string name = "c" + std::to_string(n++);
        VARIANT valueName = text(name.c_str());
        VARIANT result;
        UINT argError = 99;
        const bool number = c.declared == VT_I4;
        const HRESULT hr = call(object, number ? "SetDWORDVal" : "SetStringVal", DISPATCH_METHOD,
                                {valueName, c.argument}, &result, &argError);
        VariantClear(&result);
        std::string read = "<failed>";
        if (SUCCEEDED(call(object, number ? "GetDWORDVal" : "GetStringVal", DISPATCH_METHOD,
                           {valueName}, &result, nullptr))) {
            read = result.vt == VT_I4 ? std::to_string(result.lVal) : ascii(result.bstrVal);
        }
        VariantClear(&result);
        VariantClear(&valueName);
        if (c.expected == S_OK) {
            report(hr == S_OK && read == c.result,
                   std::string(c.what) + " arrives as " + c.result + " (read " + read + ")");
        } else {
            // Refused: the failing argument (the last, index 0) named, nothing written.
            const std::string nothing = number ? "1012" : "";
            report(hr == c.expected && argError == 0 && read == nothing,
                   std::string(c.what) + " is refused and writes nothing");
        }
        if (c.argument.vt == VT_BSTR || c.argument.vt == VT_NULL) VariantClear(&c.argument);
    }
}

}  // namespace conversion_cases
