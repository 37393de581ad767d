#include "platform/wayland/kwin/shortcut_keys.h"

#include <cstdio>

#include "platform/desktop/virtual_keys.h"

namespace pointilla::platform::wayland::kwin {
namespace {

// Qt::KeyboardModifier bits and Qt::Key values.
constexpr int kQtShift = 0x02000000;
constexpr int kQtControl = 0x04000000;
constexpr int kQtAlt = 0x08000000;
constexpr int kQtKeypad = 0x20000000;
constexpr int kQtKeyEscape = 0x01000000;
constexpr int kQtKeyF1 = 0x01000030;

int modifierBit(int virtualKey) {
    switch (virtualKey) {
        case vk::kCtrl:
            return kQtControl;
        case vk::kAlt:
            return kQtAlt;
        case vk::kShift:
            return kQtShift;
        default:
            return 0;
    }
}

std::optional<int> qtKey(int virtualKey) {
    // Qt's digits and capital letters have their ASCII codes, as virtual keys do.
    if (vk::isTopRowDigit(virtualKey) || vk::isLetter(virtualKey)) return virtualKey;
    if (vk::isKeypadDigit(virtualKey)) {
        return kQtKeypad | (vk::topRowDigit(0) + virtualKey - vk::keypadDigit(0));
    }
    if (vk::isFunctionKey(virtualKey)) return kQtKeyF1 + (virtualKey - vk::functionKey(1));
    if (virtualKey == vk::kEscape) return kQtKeyEscape;
    return std::nullopt;
}

std::string keyWord(int virtualKey) {
    switch (virtualKey) {
        case vk::kCtrl:
            return "Ctrl";
        case vk::kAlt:
            return "Alt";
        case vk::kShift:
            return "Shift";
        case vk::kEscape:
            return "Esc";
        default:
            break;
    }
    if (vk::isTopRowDigit(virtualKey) || vk::isLetter(virtualKey)) {
        return std::string(1, static_cast<char>(virtualKey));
    }
    if (vk::isKeypadDigit(virtualKey)) {
        return "Num+" + std::to_string(virtualKey - vk::keypadDigit(0));
    }
    if (vk::isFunctionKey(virtualKey)) {
        return "F" + std::to_string(virtualKey - vk::functionKey(1) + 1);
    }
    return "?";
}

}  // namespace

std::optional<int> qtKeyCode(const KeyCombination& combination) {
    int modifiers = 0;
    std::optional<int> key;
    for (const int virtualKey : combination) {
        if (const int bit = modifierBit(virtualKey); bit != 0) {
            modifiers |= bit;
        } else if (key) {
            return std::nullopt;  // two keys: no single shortcut holds them
        } else {
            key = qtKey(virtualKey);
            if (!key) return std::nullopt;
        }
    }
    if (!key) return std::nullopt;
    return modifiers | *key;
}

std::string shortcutName(const KeyCombination& combination) {
    std::string name = "hold";
    for (const int virtualKey : combination) {
        char code[8];
        std::snprintf(code, sizeof code, "-%02x", static_cast<unsigned>(virtualKey) & 0xffU);
        name += code;
    }
    return name;
}

std::string shortcutLabel(const KeyCombination& combination) {
    std::string label;
    for (const int virtualKey : combination) {
        if (!label.empty()) label += '+';
        label += keyWord(virtualKey);
    }
    return label;
}

}  // namespace pointilla::platform::wayland::kwin
