#pragma once
// The settings live under HKEY_LOCAL_MACHINE, shared by every user of the
// machine. A standard Windows user may read that key but not write it, and a
// 64-bit program gets no registry virtualization to hide it. So, for keys under
// HKEY_LOCAL_MACHINE:
// - a value is read from the same path under HKEY_CURRENT_USER when it is set
//   there, else from HKEY_LOCAL_MACHINE (the machine-wide defaults an installer
//   or an administrator left);
// - a value is written where it is read from: under HKEY_CURRENT_USER when it
//   is set there already, else under HKEY_LOCAL_MACHINE, and when the machine
//   refuses, under HKEY_CURRENT_USER (creating the key there);
// - a key the machine refuses to create is created under HKEY_CURRENT_USER.
// A write is reported done only when one of them took it. Where the machine key
// is writable (an administrator, the Linux store) nothing is ever written under
// HKEY_CURRENT_USER, so those settings stay exactly where they always were.

#include <optional>
#include <string>

#include "settings/registry_control.h"

namespace pointilla::settings {

// "HKEY_CURRENT_USER\<rest>" for "HKEY_LOCAL_MACHINE\<rest>" (root in any case,
// with spaces around it, as the control accepts it); nothing for other roots.
std::optional<std::string> userPathFor(const std::string& machinePath);

class MachineOrUserRegistryControl final : public RegistryControl {
  public:
    explicit MachineOrUserRegistryControl(RegistryControl& control) : control_(control) {}

    void setCurrentKey(const std::string& keyPath) override;
    bool createAKey(const std::string& subKeyName) override;
    bool keyExists(const std::string& valueName, int valueType) override;
    bool setStringVal(const std::string& valueName, const std::string& value) override;
    std::string getStringVal(const std::string& valueName) override;

  private:
    void pointAt(const std::string& keyPath);
    // Creates a key under HKEY_CURRENT_USER with every missing parent.
    bool createUserPath(const std::string& fullPath);

    RegistryControl& control_;
    std::string machineKey_;
    std::optional<std::string> userKey_;
    std::string pointedAt_;
};

}  // namespace pointilla::settings
