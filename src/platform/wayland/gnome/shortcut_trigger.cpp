#include "platform/wayland/gnome/shortcut_trigger.h"

#include "platform/desktop/virtual_keys.h"

namespace pointilla::platform::wayland::gnome {
namespace {

std::optional<std::string> modifierName(int code) {
    switch (code) {
        case vk::kCtrl:
            return "CTRL";
        case vk::kAlt:
            return "ALT";
        case vk::kShift:
            return "SHIFT";
        default:
            return std::nullopt;
    }
}

// Keysym names: lower-case letters as the unshifted key gives them.
std::optional<std::string> keyName(int code) {
    if (vk::isTopRowDigit(code))
        return std::string(1, static_cast<char>('0' + code - vk::topRowDigit(0)));
    if (vk::isLetter(code)) return std::string(1, static_cast<char>('a' + code - vk::letter('A')));
    if (vk::isKeypadDigit(code)) return "KP_" + std::to_string(code - vk::keypadDigit(0));
    if (vk::isFunctionKey(code)) return "F" + std::to_string(code - vk::functionKey(1) + 1);
    if (code == vk::kEscape) return "Escape";
    return std::nullopt;
}

}  // namespace

std::optional<std::string> shortcutTrigger(const KeyCombination& combination) {
    if (combination.empty()) return std::nullopt;
    std::string trigger;
    for (std::size_t i = 0; i + 1 < combination.size(); ++i) {
        const auto modifier = modifierName(combination[i]);
        if (!modifier) return std::nullopt;
        trigger += *modifier + "+";
    }
    const auto key = keyName(combination.back());
    if (!key) return std::nullopt;
    return trigger + *key;
}

}  // namespace pointilla::platform::wayland::gnome
