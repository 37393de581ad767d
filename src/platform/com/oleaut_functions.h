#pragma once
// The oleaut32 functions the control and its hosts call: BSTR and VARIANT
// helpers and VariantChangeType. A Windows build takes the real ones; here
// they are platform/posix/com/oleaut_mirror.cpp and variant_change_type.cpp.

#include "platform/com/com_types.h"

#ifdef _WIN32
#include <oleauto.h>
#else
BSTR SysAllocString(const OLECHAR* text);
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);

void VariantInit(VARIANTARG* variant);
HRESULT VariantClear(VARIANTARG* variant);

inline constexpr USHORT VARIANT_ALPHABOOL = 0x2;  // a Boolean becomes "True" or "False"
// Converts to VT_I4 or VT_BSTR as oleaut32 does: numbers round half to even, an
// out-of-range number gives DISP_E_OVERFLOW, an unconvertible value
// DISP_E_TYPEMISMATCH; dest is written only on success.
HRESULT VariantChangeType(VARIANTARG* dest, const VARIANTARG* source, USHORT flags, VARTYPE type);
#endif  // _WIN32
