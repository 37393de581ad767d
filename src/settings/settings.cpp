#include "settings/settings.h"

namespace pointilla::settings {

namespace {

constexpr std::string_view kSoftwareKey = "HKEY_LOCAL_MACHINE\\software";

std::string str(std::string_view text) { return std::string(text); }

}  // namespace

std::string settingsKeyFor(std::string_view title) {
    return str(kSoftwareKey) + "\\" + str(title) + "\\" + str(title);
}

void prepareSettings(RegistryControl& control, std::string_view title) {
    control.setCurrentKey(str(kSoftwareKey));
    control.createAKey(str(title));
    control.setCurrentKey(str(kSoftwareKey) + "\\" + str(title));
    control.createAKey(str(title));

    control.setCurrentKey(settingsKeyFor(title));
    for (const settings::Value& setting : settings::kAllValues) {
        if (!control.keyExists(str(setting.name), 0)) {
            control.setStringVal(str(setting.name), str(setting.defaultText));
        }
    }
}

bool hideWhilePlayingChecked(RegistryControl& control, std::string_view title) {
    return readSetting(control, title, settings::kHideWhilePlaying.name) != settings::kOff;
}

bool toggleHideWhilePlaying(RegistryControl& control, std::string_view title) {
    const std::string name = str(settings::kHideWhilePlaying.name);
    control.setCurrentKey(settingsKeyFor(title));
    if (control.getStringVal(name) == settings::kOff) {
        control.setStringVal(name, str(settings::kOn));
    } else if (control.getStringVal(name) == settings::kOn) {
        control.setStringVal(name, str(settings::kOff));
    }
    return control.getStringVal(name) != settings::kOff;
}

std::string readSetting(RegistryControl& control, std::string_view title, std::string_view name) {
    control.setCurrentKey(settingsKeyFor(title));
    return control.getStringVal(str(name));
}

void writeSetting(RegistryControl& control, std::string_view title, std::string_view name,
                  std::string_view value) {
    control.setCurrentKey(settingsKeyFor(title));
    control.setStringVal(str(name), str(value));
}

}  // namespace pointilla::settings
