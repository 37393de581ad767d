#include "settings/memory_registry_control.h"

namespace pointilla::settings {

void MemoryRegistryControl::setCurrentKey(const std::string& keyPath) {
    calls_.push_back("CurrentKey=" + keyPath);
    currentKey_ = keyPath;
}

bool MemoryRegistryControl::createAKey(const std::string& subKeyName) {
    calls_.push_back("CreateAKey(" + subKeyName + ")");
    if (readOnly_ || subKeyName.empty()) return false;
    keys_.insert(currentKey_);
    keys_.insert(currentKey_ + "\\" + subKeyName);
    return true;
}

bool MemoryRegistryControl::keyExists(const std::string& valueName, int valueType) {
    calls_.push_back("KeyExists(" + valueName + "," + std::to_string(valueType) + ")");
    const auto found = value(currentKey_, valueName);
    return valueType == 0 && found && !found->empty();
}

bool MemoryRegistryControl::setStringVal(const std::string& valueName, const std::string& value) {
    calls_.push_back("SetStringVal(" + valueName + "," + value + ")");
    if (readOnly_ || !hasKey(currentKey_)) return false;
    values_[currentKey_][valueName] = value;
    return true;
}

std::string MemoryRegistryControl::getStringVal(const std::string& valueName) {
    calls_.push_back("GetStringVal(" + valueName + ")");
    return value(currentKey_, valueName).value_or(std::string());
}

std::optional<std::string> MemoryRegistryControl::value(const std::string& keyPath,
                                                        const std::string& valueName) const {
    const auto key = values_.find(keyPath);
    if (key == values_.end()) return std::nullopt;
    const auto found = key->second.find(valueName);
    if (found == key->second.end()) return std::nullopt;
    return found->second;
}

void MemoryRegistryControl::putValue(const std::string& keyPath, const std::string& valueName,
                                     const std::string& value) {
    keys_.insert(keyPath);
    values_[keyPath][valueName] = value;
}

}  // namespace pointilla::settings
