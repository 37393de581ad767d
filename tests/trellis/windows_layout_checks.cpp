// Compile-time checks that the COM, automation and registry types have the
// Windows 64-bit sizes, layouts and values. The Linux build checks its own
// definitions here; scripts/check-windows-build.sh compiles the same file
// against the real Windows headers, so both sides must agree with these numbers.

#include <cstddef>

#include "platform/com/com_interfaces.h"
#include "platform/registry/win_version_and_boxes.h"
#include "trellis/com/oleaut.h"
#include "trellis/control/notifier.h"

namespace {

// Integer types: the LLP64 sizes, signed where Windows makes them signed.
static_assert(sizeof(BYTE) == 1 && sizeof(WORD) == 2 && sizeof(DWORD) == 4);
static_assert(sizeof(LONG) == 4 && static_cast<LONG>(-1) < 0);
static_assert(sizeof(ULONG) == 4 && static_cast<ULONG>(-1) > 0);
static_assert(sizeof(SHORT) == 2 && sizeof(USHORT) == 2 && sizeof(UINT) == 4 && sizeof(BOOL) == 4);
static_assert(sizeof(ULONG_PTR) == sizeof(void*));
static_assert(sizeof(HRESULT) == 4 && sizeof(SCODE) == 4 && sizeof(DISPID) == 4);
// Handles are pointers to opaque structures.
static_assert(sizeof(HKEY) == sizeof(void*));  // NOLINT(bugprone-sizeof-expression)
static_assert(sizeof(HWND) == sizeof(void*));  // NOLINT(bugprone-sizeof-expression)

// Texts: UTF-16 code units, and the automation Boolean of 16 bits, True being -1.
static_assert(sizeof(OLECHAR) == 2);
static_assert(sizeof(BSTR) == sizeof(void*));
static_assert(sizeof(VARIANT_BOOL) == 2 && VARIANT_TRUE == -1 && VARIANT_FALSE == 0);
static_assert(sizeof(OLESTR("ab")) == 3 * sizeof(OLECHAR));

// Structures.
static_assert(sizeof(GUID) == 16 && offsetof(GUID, Data2) == 4 && offsetof(GUID, Data4) == 8);
static_assert(sizeof(VARIANT) == 24 && offsetof(VARIANT, vt) == 0);
static_assert(offsetof(VARIANT, lVal) == 8 && offsetof(VARIANT, bstrVal) == 8 &&
              offsetof(VARIANT, boolVal) == 8 && offsetof(VARIANT, pdispVal) == 8);
static_assert(sizeof(DISPPARAMS) == 24 && offsetof(DISPPARAMS, cArgs) == 16 &&
              offsetof(DISPPARAMS, cNamedArgs) == 20);
static_assert(sizeof(EXCEPINFO) == 64 && offsetof(EXCEPINFO, bstrSource) == 8 &&
              offsetof(EXCEPINFO, scode) == 56);
static_assert(sizeof(FILETIME) == 8 && sizeof(SIZEL) == 8);
static_assert(sizeof(OSVERSIONINFOA) == 148 && offsetof(OSVERSIONINFOA, szCSDVersion) == 20);
static_assert(sizeof(SECURITY_ATTRIBUTES) == 24);

// Variant types and dispatch constants.
static_assert(VT_EMPTY == 0 && VT_I2 == 2 && VT_I4 == 3 && VT_BSTR == 8 && VT_DISPATCH == 9 &&
              VT_BOOL == 11 && VT_VARIANT == 12 && VT_UNKNOWN == 13 && VT_UI1 == 17 &&
              VT_INT == 22 && VT_BYREF == 0x4000);
static_assert(VT_CY == 6 && VT_DATE == 7 && VT_DECIMAL == 14 && VT_I1 == 16 && VT_I8 == 20 &&
              VT_UI8 == 21 && VARIANT_ALPHABOOL == 2);
// A decimal fills the whole variant, its type in the first two bytes.
static_assert(sizeof(DECIMAL) == 16 && offsetof(DECIMAL, scale) == 2 &&
              offsetof(DECIMAL, sign) == 3 && offsetof(DECIMAL, Hi32) == 4 &&
              offsetof(DECIMAL, Lo64) == 8 && DECIMAL_NEG == 0x80);
static_assert(sizeof(CY) == 8 && offsetof(VARIANT, cyVal) == 8 && offsetof(VARIANT, pvarVal) == 8);
static_assert(GUIDKIND_DEFAULT_SOURCE_DISP_IID == 1 && OLEMISC_INVISIBLEATRUNTIME == 0x400);
static_assert(DISPATCH_METHOD == 1 && DISPATCH_PROPERTYGET == 2 && DISPATCH_PROPERTYPUT == 4 &&
              DISPATCH_PROPERTYPUTREF == 8);
static_assert(DISPID_UNKNOWN == -1 && DISPID_PROPERTYPUT == -3 && DVASPECT_CONTENT == 1);

// Status codes, as the numbers callers compare against.
constexpr bool same(HRESULT hr, unsigned long bits) {
    return static_cast<unsigned long>(static_cast<unsigned int>(hr)) == bits;
}
static_assert(S_OK == 0 && S_FALSE == 1);
static_assert(same(E_NOTIMPL, 0x80004001) && same(E_NOINTERFACE, 0x80004002) &&
              same(E_POINTER, 0x80004003) && same(E_FAIL, 0x80004005) &&
              same(E_OUTOFMEMORY, 0x8007000E) && same(E_INVALIDARG, 0x80070057));
static_assert(same(CLASS_E_NOAGGREGATION, 0x80040110) &&
              same(CLASS_E_CLASSNOTAVAILABLE, 0x80040111) && same(SELFREG_E_CLASS, 0x80040201));
static_assert(same(DISP_E_UNKNOWNINTERFACE, 0x80020001) &&
              same(DISP_E_MEMBERNOTFOUND, 0x80020003) && same(DISP_E_TYPEMISMATCH, 0x80020005) &&
              same(DISP_E_UNKNOWNNAME, 0x80020006) && same(DISP_E_NONAMEDARGS, 0x80020007) &&
              same(DISP_E_BADPARAMCOUNT, 0x8002000E) && same(DISP_E_OVERFLOW, 0x8002000A) &&
              same(DISP_E_BADINDEX, 0x8002000B));
static_assert(same(CONNECT_E_NOCONNECTION, 0x80040200) &&
              same(CONNECT_E_CANNOTCONNECT, 0x80040202));
static_assert(FAILED(E_FAIL) && SUCCEEDED(S_FALSE));

// Registry values, access rights and status codes.
static_assert(ERROR_SUCCESS == 0 && ERROR_FILE_NOT_FOUND == 2 && ERROR_ACCESS_DENIED == 5 &&
              ERROR_INVALID_HANDLE == 6 && ERROR_MORE_DATA == 234 && ERROR_NO_MORE_ITEMS == 259);
static_assert(REG_NONE == 0 && REG_SZ == 1 && REG_EXPAND_SZ == 2 && REG_BINARY == 3 &&
              REG_DWORD == 4 && REG_MULTI_SZ == 7 && REG_QWORD == 11);
static_assert(KEY_QUERY_VALUE == 1 && KEY_SET_VALUE == 2 && KEY_READ == 0x20019 &&
              KEY_WRITE == 0x20006 && KEY_ALL_ACCESS == 0xF003F);
static_assert(VER_PLATFORM_WIN32_NT == 2);
static_assert(MB_OK == 0 && MB_ICONSTOP == 0x10 && MB_ICONEXCLAMATION == 0x30);

}  // namespace
