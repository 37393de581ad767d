#include "shell/settings.h"

namespace pointilla::shell {

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
    for (const SettingDefault& setting : kSettingDefaults) {
        if (!control.keyExists(str(setting.name), 0)) {
            control.setStringVal(str(setting.name), str(setting.value));
        }
    }
}

bool hideWhilePlayingChecked(RegistryControl& control, std::string_view title) {
    return readSetting(control, title, kHideWhilePlayingValue) != "0";
}

bool toggleHideWhilePlaying(RegistryControl& control, std::string_view title) {
    const std::string name = str(kHideWhilePlayingValue);
    control.setCurrentKey(settingsKeyFor(title));
    if (control.getStringVal(name) == "0") {
        control.setStringVal(name, "1");
    } else if (control.getStringVal(name) == "1") {
        control.setStringVal(name, "0");
    }
    return control.getStringVal(name) != "0";
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

}  // namespace pointilla::shell
