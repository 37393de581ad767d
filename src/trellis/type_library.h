#pragma once
// The type information of the type library embedded in this library (resource
// TYPELIB 1). Systems without OLE type libraries have none: the dispatch tables
// generated from the same interface definition answer instead.

#include "trellis/com/com_ptr.h"

namespace trellis {

// The type information of an interface or class of the Dovetail library;
// empty where there is no type library.
com::ComPtr<ITypeInfo> typeInfoOf(REFGUID guid);

}  // namespace trellis
