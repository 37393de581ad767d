#pragma once
// The five members of the registry control that the program uses. The main
// window talks to the control only through this interface, so the real control
// (bound late by dispatch identifier) and an in-memory store are interchangeable.

#include <string>

namespace pointilla::settings {

class RegistryControl {
  public:
    virtual ~RegistryControl() = default;

    // `CurrentKey`: the full path of the key the following calls work on.
    virtual void setCurrentKey(const std::string& keyPath) = 0;
    // `CreateAKey`: creates a subkey of the current key; an existing one stays as it is.
    virtual bool createAKey(const std::string& subKeyName) = 0;
    // `KeyExists` with type 0: true when the value exists and reads as a non-empty string.
    virtual bool keyExists(const std::string& valueName, int valueType) = 0;
    // `SetStringVal`: a failed write is lost without a message.
    virtual bool setStringVal(const std::string& valueName, const std::string& value) = 0;
    // `GetStringVal`: the empty string when the value cannot be read.
    virtual std::string getStringVal(const std::string& valueName) = 0;
};

}  // namespace pointilla::settings
