#pragma once
// The registry control `Trellis`, created from its programmatic identifier
// and called late by dispatch identifier, behind the program's RegistryControl.

#include <filesystem>
#include <memory>
#include <string>

#include "common/control_failure.h"
#include "common/result.h"
#include "settings/registry_control.h"

namespace trellis::host {
class AutomationObject;
}

namespace pointilla::settings {

class TrellisRegistryControl final : public RegistryControl {
  public:
    explicit TrellisRegistryControl(std::unique_ptr<trellis::host::AutomationObject> control);
    ~TrellisRegistryControl() override;

    void setCurrentKey(const std::string& keyPath) override;
    bool createAKey(const std::string& subKeyName) override;
    bool keyExists(const std::string& valueName, int valueType) override;
    bool setStringVal(const std::string& valueName, const std::string& value) override;
    std::string getStringVal(const std::string& valueName) override;

  private:
    std::unique_ptr<trellis::host::AutomationObject> control_;
};

// Creates "Dovetail.Trellis". When the identifier is not registered yet, the
// library installed beside the executable is registered (as an installer
// would) and the creation tried once more.
Result<std::unique_ptr<RegistryControl>, ControlFailure> createTrellisControl(
    const std::filesystem::path& executable);

}  // namespace pointilla::settings
