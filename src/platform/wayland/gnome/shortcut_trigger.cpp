#include "platform/wayland/gnome/shortcut_trigger.h"

#include "platform/desktop/virtual_keys.h"

namespace pointilla::platform::wayland::gnome {
namespace {

struct ModifierNames {
    const char* trigger;
    const char* accelerator;
};

std::optional<ModifierNames> modifierNames(int code) {
    switch (code) {
        case vk::kCtrl:
            return ModifierNames{"CTRL+", "<Control>"};
        case vk::kAlt:
            return ModifierNames{"ALT+", "<Alt>"};
        case vk::kShift:
            return ModifierNames{"SHIFT+", "<Shift>"};
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

// The modifiers written each as `pick` names them, then the key's keysym name.
std::optional<std::string> spelled(const KeyCombination& combination,
                                   const char* ModifierNames::*pick) {
    if (combination.empty()) return std::nullopt;
    std::string text;
    for (std::size_t i = 0; i + 1 < combination.size(); ++i) {
        const auto modifier = modifierNames(combination[i]);
        if (!modifier) return std::nullopt;
        text += (*modifier).*pick;
    }
    const auto key = keyName(combination.back());
    if (!key) return std::nullopt;
    return text + *key;
}

}  // namespace

std::optional<std::string> shortcutTrigger(const KeyCombination& combination) {
    return spelled(combination, &ModifierNames::trigger);
}

std::optional<std::string> shellAccelerator(const KeyCombination& combination) {
    return spelled(combination, &ModifierNames::accelerator);
}

}  // namespace pointilla::platform::wayland::gnome
