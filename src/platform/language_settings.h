#pragma once
// The person's language settings, as the system holds them.

#include <string>
#include <vector>

namespace pointilla::platform {

// Most important first, unset ones empty: LANGUAGE (a colon list), LC_ALL,
// LC_MESSAGES and LANG on Linux; the user's interface language ("fr-FR") on
// Windows.
std::vector<std::string> systemLanguageSettings();

}  // namespace pointilla::platform
