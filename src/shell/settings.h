#pragma once
// The program's settings: one registry key built from the product title, five
// string values with their defaults, and the option that hides the window
// while a scenario plays. Every function sets the control's current key first
// and relies on nothing another call left behind.

#include <array>
#include <string>
#include <string_view>

#include "shell/registry_control.h"

namespace pointilla::shell {

inline constexpr std::string_view kProductTitle = "Pointilla";

// Value names (UTF-8 in memory; the store keeps them in Windows-1252).
inline constexpr std::string_view kFirstModifierValue = "cl\u00e91";
inline constexpr std::string_view kSecondModifierValue = "cl\u00e92";
inline constexpr std::string_view kHotKeyValue = "cl\u00e93";
inline constexpr std::string_view kVisibleValue = "Visible";
inline constexpr std::string_view kHideWhilePlayingValue = "redlec";
// How many times a playback goes through the scenario: "1" to "9999" or
// "boucle". Written only by "Répéter la lecture..."; missing counts as "1".
inline constexpr std::string_view kRepetitionsValue = "repet";
// The folder of the last scenario file opened or saved; no default.
inline constexpr std::string_view kFolderValue = "dossier";

struct SettingDefault {
    std::string_view name;
    std::string_view value;
};

// In the order start-up writes them.
inline constexpr std::array<SettingDefault, 5> kSettingDefaults{{
    {kFirstModifierValue, "1"},
    {kSecondModifierValue, "1"},
    {kHotKeyValue, "0"},
    {kVisibleValue, "1"},
    {kHideWhilePlayingValue, "0"},
}};

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

}  // namespace pointilla::shell
