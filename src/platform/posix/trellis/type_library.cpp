#include "trellis/control/type_library.h"

namespace trellis {

com::ComPtr<ITypeInfo> typeInfoOf(REFGUID /*guid*/) { return {}; }

bool libraryHasTypeLibrary() { return false; }

}  // namespace trellis
