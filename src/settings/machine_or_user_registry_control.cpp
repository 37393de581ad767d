#include "settings/machine_or_user_registry_control.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace pointilla::settings {

namespace {

constexpr std::string_view kMachineRoot = "HKEY_LOCAL_MACHINE";
constexpr std::string_view kUserRoot = "HKEY_CURRENT_USER";

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::optional<std::string> userPathFor(const std::string& machinePath) {
    const std::size_t slash = machinePath.find('\\');
    if (slash == std::string::npos) return std::nullopt;
    if (!sameIgnoringCase(trimmed(std::string_view(machinePath).substr(0, slash)), kMachineRoot)) {
        return std::nullopt;
    }
    return std::string(kUserRoot) + machinePath.substr(slash);
}

void MachineOrUserRegistryControl::pointAt(const std::string& keyPath) {
    if (pointedAt_ == keyPath) return;
    control_.setCurrentKey(keyPath);
    pointedAt_ = keyPath;
}

void MachineOrUserRegistryControl::setCurrentKey(const std::string& keyPath) {
    machineKey_ = keyPath;
    userKey_ = userPathFor(keyPath);
    pointedAt_.clear();
    pointAt(machineKey_);
}

bool MachineOrUserRegistryControl::createUserPath(const std::string& fullPath) {
    // The control takes a current key with one backslash at least: the root's
    // first sub-key ("software", always there), the rest created in one call.
    const std::size_t first = fullPath.find('\\');
    const std::size_t second = fullPath.find('\\', first + 1);
    if (first == std::string::npos || second == std::string::npos) return true;  // the write tells
    pointAt(fullPath.substr(0, second));
    return control_.createAKey(fullPath.substr(second + 1));
}

bool MachineOrUserRegistryControl::createAKey(const std::string& subKeyName) {
    pointAt(machineKey_);
    if (control_.createAKey(subKeyName)) return true;
    return userKey_ && createUserPath(*userKey_ + "\\" + subKeyName);
}

bool MachineOrUserRegistryControl::keyExists(const std::string& valueName, int valueType) {
    if (userKey_) {
        pointAt(*userKey_);
        if (control_.keyExists(valueName, valueType)) return true;
    }
    pointAt(machineKey_);
    return control_.keyExists(valueName, valueType);
}

std::string MachineOrUserRegistryControl::getStringVal(const std::string& valueName) {
    if (userKey_) {
        pointAt(*userKey_);
        std::string own = control_.getStringVal(valueName);
        if (!own.empty()) return own;
    }
    pointAt(machineKey_);
    return control_.getStringVal(valueName);
}

bool MachineOrUserRegistryControl::setStringVal(const std::string& valueName,
                                                const std::string& value) {
    if (userKey_) {
        pointAt(*userKey_);
        if (control_.keyExists(valueName, 0)) return control_.setStringVal(valueName, value);
    }
    pointAt(machineKey_);
    if (control_.setStringVal(valueName, value)) return true;
    if (!userKey_) return false;
    // The machine refused (a standard user): the user's own key takes it.
    if (!createUserPath(*userKey_)) return false;
    pointAt(*userKey_);
    return control_.setStringVal(valueName, value);
}

}  // namespace pointilla::settings
