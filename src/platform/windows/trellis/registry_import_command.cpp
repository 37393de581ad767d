// Windows imports .REG files itself, with the user's rights.

#include <iostream>

#include "tools/trellis/registry_import.h"

namespace trellis::cli {

const char* const kRegistryUsageNote = "register and unregister act for the current user.\n";

int importRegistryFile(const std::string& file, bool /*allowClasses*/) {
    constexpr int kExitFailure = 1;
    std::cerr << "trellis: on Windows, import a .REG file with: reg import " << file << "\n";
    return kExitFailure;
}

}  // namespace trellis::cli
