#include "platform/language_settings.h"

#include <cstdlib>

namespace pointilla::platform {

std::vector<std::string> systemLanguageSettings() {
    std::vector<std::string> settings;
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        settings.emplace_back(value != nullptr ? value : "");
    }
    return settings;
}

}  // namespace pointilla::platform
