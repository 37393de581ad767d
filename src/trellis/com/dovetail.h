#pragma once
// The control's identifiers as widl generates them from dovetail.idl: the
// dispatch identifiers (DISPID_CurrentKey ... DISPID_RegError), LIBID_Dovetail,
// IID__Trellis, DIID___Trellis and CLSID_Trellis. Define INITGUID before the
// first inclusion to define the identifiers instead of declaring them.

#include "platform/com/com_interfaces.h"

// The generated interfaces are abstract classes without virtual destructors, as
// every COM interface is.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// The generated header goes between these two, in this order.
// clang-format off
#include "platform/com/generated_header_begin.h"
#include "dovetail_idl.h"
#include "platform/com/generated_header_end.h"
// clang-format on
#pragma GCC diagnostic pop
