#pragma once
// The registry control as the settings store of the hot-key lists and of
// playback: each access points the control at the settings key first.

#include <string>
#include <string_view>

#include "common/settings_store.h"
#include "settings/registry_control.h"
#include "settings/settings.h"

namespace pointilla::settings {

class SettingsKeyAccess final : public settings::Store {
  public:
    SettingsKeyAccess(RegistryControl& control, std::string title)
        : control_(control), title_(std::move(title)) {}

    std::string read(std::string_view valueName) override {
        return readSetting(control_, title_, valueName);
    }
    void write(std::string_view valueName, const std::string& text) override {
        writeSetting(control_, title_, valueName, text);
    }

  private:
    RegistryControl& control_;
    std::string title_;
};

}  // namespace pointilla::settings
