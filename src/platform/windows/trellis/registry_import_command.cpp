// Windows imports .REG files itself, with the user's rights.

#include <iostream>

#include "messages/tool_voice.h"
#include "messages/trellis_messages.h"
#include "tools/trellis/registry_import.h"

namespace trellis::cli {

std::string registryUsageNote() { return pointilla::messages::userRegistrationNote(); }

int importRegistryFile(const std::string& file, bool /*allowClasses*/) {
    constexpr int kExitFailure = 1;
    const pointilla::messages::ToolVoice voice(pointilla::messages::kTrellisProgram, std::cerr);
    voice.say(pointilla::messages::windowsImportHint(file));
    return kExitFailure;
}

}  // namespace trellis::cli
