#pragma once
// Registry values that name a program or library the tools start or load on
// their own: a class's server (InprocServer32, LocalServer32 and their older
// forms under CLSID\{class}) and the system-information tool the About box
// runs. A settings file has no business setting them, so an import refuses them
// unless asked to allow them.

#include <string_view>

namespace trellis {

// keyPath: root name, backslash, sub-key, in Windows-1252; valueName likewise.
bool namesLoadedProgram(std::string_view keyPath, std::string_view valueName);

}  // namespace trellis
