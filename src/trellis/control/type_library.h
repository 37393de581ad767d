#pragma once
// The type information of the type library embedded in this library (resource
// TYPELIB 1). Systems without OLE type libraries have none: the dispatch tables
// generated from the same interface definition answer instead.

#include "trellis/com/com_ptr.h"

namespace trellis {

// The type information of an interface or class of the Dovetail library;
// empty where there is no type library.
com::ComPtr<ITypeInfo> typeInfoOf(REFGUID guid);
// Whether this library carries the type library (resource TYPELIB 1), so that
// registering it registers the type library and its interfaces too.
bool libraryHasTypeLibrary();

}  // namespace trellis
