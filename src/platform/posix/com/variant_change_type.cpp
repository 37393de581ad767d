// VariantChangeType of oleaut32, for systems without it, to the two types the
// control's arguments are declared with: VT_I4 and VT_BSTR.

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <variant>

#include "trellis/com/oleaut.h"

namespace {

__extension__ using Wide = unsigned __int128;  // holds a decimal's 96 bits
__extension__ using SignedWide = __int128;

// A source value read through any reference: a whole number, a real number, an
// exact decimal (value and power of ten), a text, or nothing convertible.
struct Decimal {
    Wide magnitude;
    int scale;
    bool negative;
};
using Number = std::variant<std::int64_t, std::uint64_t, double, Decimal>;
struct Source {
    std::optional<Number> number;
    std::optional<std::u16string> text;
    bool empty = false;
    bool boolean = false;  // number holds -1 or 0
};

template <typename T>
T valueAt(const VARIANT& v, T direct, T* reference) {
    return (v.vt & VT_BYREF) ? *reference : direct;
}

std::optional<Source> readSource(const VARIANT& v) {
    const VARTYPE type = v.vt & ~VT_BYREF;
    if ((v.vt & VT_BYREF) && v.byref == nullptr) return std::nullopt;
    Source s;
    switch (type) {
        case VT_EMPTY:
            s.empty = true;
            return s;
        case VT_I1:
            s.number = std::int64_t{valueAt(v, v.cVal, v.pcVal)};
            return s;
        case VT_UI1:
            s.number = std::int64_t{valueAt(v, v.bVal, v.pbVal)};
            return s;
        case VT_I2:
            s.number = std::int64_t{valueAt(v, v.iVal, v.piVal)};
            return s;
        case VT_UI2:
            s.number = std::int64_t{valueAt(v, v.uiVal, v.puiVal)};
            return s;
        case VT_I4:
            s.number = std::int64_t{valueAt(v, v.lVal, v.plVal)};
            return s;
        case VT_INT:
            s.number = std::int64_t{valueAt(v, v.intVal, v.pintVal)};
            return s;
        case VT_UI4:
            s.number = std::int64_t{valueAt(v, v.ulVal, v.pulVal)};
            return s;
        case VT_UINT:
            s.number = std::int64_t{valueAt(v, v.uintVal, v.puintVal)};
            return s;
        case VT_I8:
            s.number = valueAt(v, v.llVal, v.pllVal);
            return s;
        case VT_UI8:
            s.number = valueAt(v, v.ullVal, v.pullVal);
            return s;
        case VT_R4:
            s.number = double{valueAt(v, v.fltVal, v.pfltVal)};
            return s;
        case VT_R8:
        case VT_DATE:
            s.number = valueAt(v, v.dblVal, v.pdblVal);
            return s;
        case VT_CY: {
            const CY cy = valueAt(v, v.cyVal, v.pcyVal);
            const bool negative = cy < 0;
            const auto magnitude = static_cast<Wide>(negative ? -static_cast<SignedWide>(cy)
                                                              : static_cast<SignedWide>(cy));
            s.number = Decimal{magnitude, 4, negative};
            return s;
        }
        case VT_DECIMAL: {
            DECIMAL d;
            if (v.vt & VT_BYREF)
                d = *v.pdecVal;
            else
                std::memcpy(&d, &v, sizeof d);  // a decimal fills the whole variant
            if (d.scale > 28) return std::nullopt;
            const Wide magnitude = (static_cast<Wide>(d.Hi32) << 64) | d.Lo64;
            s.number = Decimal{magnitude, d.scale, (d.sign & DECIMAL_NEG) != 0};
            return s;
        }
        case VT_BOOL:
            s.number = std::int64_t{valueAt(v, v.boolVal, v.pboolVal) ? -1 : 0};
            s.boolean = true;
            return s;
        case VT_BSTR: {
            const BSTR text = valueAt(v, v.bstrVal, v.pbstrVal);
            s.text = text ? std::u16string(text, SysStringLen(text)) : std::u16string();
            return s;
        }
        default:
            return std::nullopt;  // Null, errors, objects, arrays
    }
}

// Rounds half to even, as every conversion to a whole number does.
std::optional<std::int64_t> roundHalfEven(long double x) {
    if (!std::isfinite(x)) return std::nullopt;
    long double whole = std::floor(x);
    const long double fraction = x - whole;
    if (fraction > 0.5L || (fraction == 0.5L && std::fmod(whole, 2.0L) != 0)) whole += 1;
    if (whole < -9.2e18L || whole > 9.2e18L) return std::nullopt;
    return static_cast<std::int64_t>(whole);
}

std::optional<std::int64_t> roundDecimal(const Decimal& d) {
    Wide divisor = 1;
    for (int i = 0; i < d.scale; ++i) divisor *= 10;
    Wide quotient = d.magnitude / divisor;
    const Wide twiceRest = (d.magnitude % divisor) * 2;
    if (twiceRest > divisor || (twiceRest == divisor && (quotient & 1) != 0)) ++quotient;
    if (quotient > static_cast<Wide>(std::numeric_limits<std::int64_t>::max())) return std::nullopt;
    const auto value = static_cast<std::int64_t>(quotient);
    return d.negative ? -value : value;
}

// Numeric text as oleaut32 reads it: blanks around, a sign, digits with at most
// one decimal point, an optional exponent.
std::optional<long double> parseNumber(const std::u16string& text) {
    std::string ascii;
    for (char16_t c : text) {
        if (c > 0x7F) return std::nullopt;
        ascii.push_back(static_cast<char>(c));
    }
    const auto first = ascii.find_first_not_of(" \t");
    if (first == std::string::npos) return std::nullopt;
    const auto last = ascii.find_last_not_of(" \t");
    const std::string body = ascii.substr(first, last - first + 1);
    std::size_t i = 0;
    if (i < body.size() && (body[i] == '+' || body[i] == '-')) ++i;
    std::size_t digits = 0;
    bool point = false;
    for (; i < body.size(); ++i) {
        if (body[i] >= '0' && body[i] <= '9') {
            ++digits;
        } else if (body[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0) return std::nullopt;
    if (i < body.size() && (body[i] == 'e' || body[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < body.size() && (body[j] == '+' || body[j] == '-')) ++j;
        const std::size_t exponentStart = j;
        while (j < body.size() && body[j] >= '0' && body[j] <= '9') ++j;
        if (j == exponentStart) return std::nullopt;
        i = j;
    }
    if (i != body.size()) return std::nullopt;
    return std::strtold(body.c_str(), nullptr);
}

HRESULT toLong(const Source& s, LONG* out) {
    std::optional<std::int64_t> whole;
    if (s.empty) {
        whole = 0;
    } else if (s.text) {
        const auto parsed = parseNumber(*s.text);
        if (!parsed) return DISP_E_TYPEMISMATCH;
        whole = roundHalfEven(*parsed);
    } else if (const auto* i = std::get_if<std::int64_t>(&*s.number)) {
        whole = *i;
    } else if (const auto* u = std::get_if<std::uint64_t>(&*s.number)) {
        if (*u > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
            return DISP_E_OVERFLOW;
        whole = static_cast<std::int64_t>(*u);
    } else if (const auto* d = std::get_if<double>(&*s.number)) {
        whole = roundHalfEven(*d);
    } else {
        whole = roundDecimal(std::get<Decimal>(*s.number));
    }
    if (!whole || *whole < std::numeric_limits<LONG>::min() ||
        *whole > std::numeric_limits<LONG>::max()) {
        return DISP_E_OVERFLOW;
    }
    *out = static_cast<LONG>(*whole);
    return S_OK;
}

std::string decimalText(const Decimal& d) {
    std::string digits;
    Wide m = d.magnitude;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(m % 10)));
        m /= 10;
    } while (m != 0);
    if (d.scale > 0) {
        const auto scale = static_cast<std::size_t>(d.scale);
        if (digits.size() <= scale) digits = std::string(scale + 1 - digits.size(), '0') + digits;
        const std::string whole = digits.substr(0, digits.size() - scale);
        std::string fraction = digits.substr(digits.size() - scale);
        fraction.erase(fraction.find_last_not_of('0') + 1);  // 12.5000 -> 12.5
        digits = fraction.empty() ? whole : whole + "." + fraction;
    }
    const bool zero = digits == "0";
    return (d.negative && !zero ? "-" : "") + digits;
}

// Numbers as text: the shortest form of up to 15 significant digits (7 for a
// Single), in exponent form when that is shorter, as oleaut32 writes them.
std::optional<std::string> toText(const Source& s, const VARIANT& source, USHORT flags) {
    if (s.empty) return std::string();
    if (s.text) return std::nullopt;  // handled by the caller without a round trip
    if (s.boolean) {
        const bool truth = std::get<std::int64_t>(*s.number) != 0;
        if (flags & VARIANT_ALPHABOOL) return std::string(truth ? "True" : "False");
        return std::string(truth ? "-1" : "0");
    }
    if ((source.vt & ~VT_BYREF) == VT_DATE) return std::nullopt;  // dates: not here
    char buffer[64];
    if (const auto* i = std::get_if<std::int64_t>(&*s.number)) {
        std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(*i));
    } else if (const auto* u = std::get_if<std::uint64_t>(&*s.number)) {
        std::snprintf(buffer, sizeof buffer, "%llu", static_cast<unsigned long long>(*u));
    } else if (const auto* d = std::get_if<double>(&*s.number)) {
        const bool single = (source.vt & ~VT_BYREF) == VT_R4;
        std::snprintf(buffer, sizeof buffer, single ? "%.7G" : "%.15G", *d);
    } else {
        return decimalText(std::get<Decimal>(*s.number));
    }
    return std::string(buffer);
}

}  // namespace

HRESULT VariantChangeType(VARIANTARG* dest, const VARIANTARG* source, USHORT flags, VARTYPE type) {
    if (dest == nullptr || source == nullptr) return E_INVALIDARG;
    const VARIANT* from = source;
    if (from->vt == (VT_VARIANT | VT_BYREF)) {
        if (from->pvarVal == nullptr) return DISP_E_TYPEMISMATCH;
        from = from->pvarVal;
    }
    const auto read = readSource(*from);
    if (!read) return DISP_E_TYPEMISMATCH;
    if (type == VT_I4) {
        LONG value = 0;
        const HRESULT hr = toLong(*read, &value);
        if (FAILED(hr)) return hr;
        VariantClear(dest);
        dest->vt = VT_I4;
        dest->lVal = value;
        return S_OK;
    }
    if (type == VT_BSTR) {
        BSTR text = nullptr;
        if (read->text) {
            text = SysAllocStringLen(read->text->data(), static_cast<UINT>(read->text->size()));
        } else {
            const auto ascii = toText(*read, *from, flags);
            if (!ascii) return DISP_E_TYPEMISMATCH;
            const std::u16string units(ascii->begin(), ascii->end());
            text = SysAllocStringLen(units.data(), static_cast<UINT>(units.size()));
        }
        if (text == nullptr) return E_OUTOFMEMORY;
        VariantClear(dest);
        dest->vt = VT_BSTR;
        dest->bstrVal = text;
        return S_OK;
    }
    return DISP_E_BADVARTYPE;
}
