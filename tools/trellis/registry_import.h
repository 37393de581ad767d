#pragma once
// What `trellis import` does on the system the tool runs on, and what its usage
// says there: the store's .REG import, or a pointer to the system's own.

#include <string>

namespace trellis::cli {

// The usage's last line: where the registry lives, or what differs here.
std::string registryUsageNote();

// Imports the .REG file; 0, or the tool's failure status with the reason said
// on standard error.
int importRegistryFile(const std::string& file, bool allowClasses);

}  // namespace trellis::cli
