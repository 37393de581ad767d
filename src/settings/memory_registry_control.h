#pragma once
// A registry control that keeps its keys in memory: the program falls back on
// it when the real control cannot be created, so it still runs with its
// defaults, and the widget tests use it as their store.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "settings/registry_control.h"

namespace pointilla::settings {

class MemoryRegistryControl final : public RegistryControl {
  public:
    void setCurrentKey(const std::string& keyPath) override;
    bool createAKey(const std::string& subKeyName) override;
    bool keyExists(const std::string& valueName, int valueType) override;
    bool setStringVal(const std::string& valueName, const std::string& value) override;
    std::string getStringVal(const std::string& valueName) override;

    // Direct access for set-up and checks, by full key path.
    bool hasKey(const std::string& keyPath) const { return keys_.count(keyPath) != 0; }
    std::optional<std::string> value(const std::string& keyPath,
                                     const std::string& valueName) const;
    void putValue(const std::string& keyPath, const std::string& valueName,
                  const std::string& value);
    // Makes every later write fail, as a store without write rights would.
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }

    const std::string& currentKey() const { return currentKey_; }
    // Every member call, in order ("CurrentKey=...", "CreateAKey(x)", ...).
    const std::vector<std::string>& calls() const { return calls_; }
    void clearCalls() { calls_.clear(); }

  private:
    std::string currentKey_;
    std::set<std::string> keys_;
    std::map<std::string, std::map<std::string, std::string>> values_;
    std::vector<std::string> calls_;
    bool readOnly_ = false;
};

}  // namespace pointilla::settings
