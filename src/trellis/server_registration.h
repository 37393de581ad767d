#pragma once
// What registering the control writes under HKEY_CLASSES_ROOT, and its removal.

#include <string>

#include "trellis/com/com_types.h"

namespace trellis {

inline constexpr const char* kHelpText = "Trellis - Provides easy access to registry functions";

// Writes the programmatic identifier, the class identifier and the library path.
HRESULT registerClass(const std::string& libraryPath);
// Removes exactly what registerClass wrote.
HRESULT unregisterClass();

}  // namespace trellis
