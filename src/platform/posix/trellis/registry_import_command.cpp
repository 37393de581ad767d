// The tool imports into the registry store itself.

#include <iostream>

#include "platform/registry/advapi32.h"
#include "tools/trellis/import_messages.h"
#include "tools/trellis/registry_import.h"
#include "trellis/reg_files/reg_import.h"

namespace trellis::cli {

const char* const kRegistryUsageNote =
    "The store is $TRELLIS_REGISTRY, else ${XDG_DATA_HOME:-~/.local/share}/trellis/registry.db.\n";

int importRegistryFile(const std::string& file, bool allowClasses) {
    constexpr int kExitFailure = 1;
    if (const auto usable = pointilla::registry::storeUsable(); !usable) {
        std::cerr << "trellis: " << usable.error() << "\n";
        return kExitFailure;
    }
    const auto imported = trellis::importRegFile(file, {allowClasses});
    if (!imported) {
        std::cerr << "trellis: " << importFailureText(file, imported.error()) << "\n";
        return kExitFailure;
    }
    return 0;
}

}  // namespace trellis::cli
