#pragma once
// One consistent view of the registry while alive: every read meanwhile sees the
// same committed state, whatever other processes write. The Windows registry
// offers no such view; there it is nothing.

#ifdef _WIN32
namespace trellis {
struct RegistryView {
    RegistryView() {}  // NOLINT(modernize-use-equals-default): a const object needs it
};
}  // namespace trellis
#else
#include "platform/registry/advapi32.h"
namespace trellis {
using RegistryView = pointilla::registry::ReadSnapshot;
}  // namespace trellis
#endif
