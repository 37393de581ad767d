#pragma once
// The program's settings: one registry key built from the product title, the
// string values of common/settings_values.h with their defaults, and the option that hides the
// window while a scenario plays. Every function sets the control's current key first and relies on
// nothing another call left behind.

#include <string>
#include <string_view>

#include "common/settings_values.h"
#include "settings/registry_control.h"

namespace pointilla::settings {

inline constexpr std::string_view kProductTitle = "Pointilla";

// "HKEY_LOCAL_MACHINE\software\<title>\<title>".
std::string settingsKeyFor(std::string_view title);

// Start-up: creates the key chain, then writes the default of every value that
// is missing or empty. A value that holds anything else stays.
void prepareSettings(RegistryControl& control, std::string_view title);

// Whether the option "hide the window while playing" shows its check mark:
// always, unless "redlec" holds exactly "0".
bool hideWhilePlayingChecked(RegistryControl& control, std::string_view title);

// The option's command: "0" becomes "1", "1" becomes "0", anything else stays.
// Returns the check mark's new state, read back from the store.
bool toggleHideWhilePlaying(RegistryControl& control, std::string_view title);

// Reads one value of the settings key.
std::string readSetting(RegistryControl& control, std::string_view title, std::string_view name);
// Writes one value of the settings key; a failed write is lost.
void writeSetting(RegistryControl& control, std::string_view title, std::string_view name,
                  std::string_view value);

}  // namespace pointilla::settings
