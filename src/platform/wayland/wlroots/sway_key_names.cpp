#include "platform/wayland/wlroots/sway_key_names.h"

#include "platform/desktop/virtual_keys.h"

namespace pointilla::platform::wayland {

std::string swayKeyName(int virtualKey) {
    if (virtualKey == vk::kCtrl) return "Ctrl";
    if (virtualKey == vk::kAlt) return "Mod1";
    if (virtualKey == vk::kShift) return "Shift";
    if (virtualKey == vk::kEscape) return "Escape";
    if (vk::isTopRowDigit(virtualKey))
        return std::string(1, static_cast<char>('0' + virtualKey - vk::topRowDigit(0)));
    // Lower case: the key's own symbol, whatever Shift would make of it.
    if (vk::isLetter(virtualKey))
        return std::string(1, static_cast<char>('a' + virtualKey - vk::letter('A')));
    if (vk::isKeypadDigit(virtualKey))
        return "KP_" + std::to_string(virtualKey - vk::keypadDigit(0));
    if (vk::isFunctionKey(virtualKey))
        return "F" + std::to_string(virtualKey - vk::functionKey(1) + 1);
    return {};
}

std::string swayCombination(const KeyCombination& combination) {
    std::string joined;
    for (const int key : combination) {
        const std::string name = swayKeyName(key);
        if (name.empty()) return {};
        if (!joined.empty()) joined += '+';
        joined += name;
    }
    return joined;
}

}  // namespace pointilla::platform::wayland
