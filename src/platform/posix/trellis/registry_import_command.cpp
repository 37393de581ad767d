// The tool imports into the registry store itself.

#include <iostream>

#include "messages/tool_voice.h"
#include "messages/trellis_messages.h"
#include "platform/registry/advapi32.h"
#include "tools/trellis/import_messages.h"
#include "tools/trellis/registry_import.h"
#include "trellis/reg_files/reg_import.h"

namespace trellis::cli {

std::string registryUsageNote() { return pointilla::messages::storeLocationNote(); }

int importRegistryFile(const std::string& file, bool allowClasses) {
    constexpr int kExitFailure = 1;
    const pointilla::messages::ToolVoice voice(pointilla::messages::kTrellisProgram, std::cerr);
    if (const auto usable = pointilla::registry::storeUsable(); !usable) {
        voice.say(usable.error());
        return kExitFailure;
    }
    const auto imported = trellis::importRegFile(file, {allowClasses});
    if (!imported) {
        voice.say(importFailureText(file, imported.error()));
        return kExitFailure;
    }
    return 0;
}

}  // namespace trellis::cli
