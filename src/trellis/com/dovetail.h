#pragma once
// The control's identifiers as widl generates them from dovetail.idl: the
// dispatch identifiers (DISPID_CurrentKey ... DISPID_RegError), LIBID_Dovetail,
// IID__Trellis, DIID___Trellis and CLSID_Trellis. Define INITGUID before the
// first inclusion to define the identifiers instead of declaring them.

#include "trellis/com/com_interfaces.h"

// The generated interfaces are abstract classes without virtual destructors, as
// every COM interface is.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#ifdef _WIN32
#include "dovetail_idl.h"
#else
// What the generated header expects of the Windows headers, here.
#define COM_NO_WINDOWS_H
#define interface struct
#define MIDL_INTERFACE(id) struct
#define DECLSPEC_UUID(id)
#define BEGIN_INTERFACE
#define END_INTERFACE
#ifdef INITGUID
#define DEFINE_GUID(name, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8) \
    extern const GUID name = {l, w1, w2, {b1, b2, b3, b4, b5, b6, b7, b8}}
#else
#define DEFINE_GUID(name, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8) extern const GUID name
#endif
#include "dovetail_idl.h"
#undef interface
#undef MIDL_INTERFACE
#undef DECLSPEC_UUID
#undef BEGIN_INTERFACE
#undef END_INTERFACE
#undef DEFINE_GUID
#endif
#pragma GCC diagnostic pop
