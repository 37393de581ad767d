#include "platform/wayland/kwin/shortcut_keys.h"

#include <algorithm>
#include <cstdio>

#include "platform/desktop/virtual_keys.h"
#include "platform/wayland/kwin/keyboard_layout.h"

namespace pointilla::platform::wayland::kwin {
namespace {

// Qt::KeyboardModifier bits and Qt::Key values.
constexpr int kQtShift = 0x02000000;
constexpr int kQtControl = 0x04000000;
constexpr int kQtAlt = 0x08000000;
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
    // KWin matches shortcuts by the key's symbol, without the keypad bit: a
    // keypad digit (NumLock on) fires the top row's shortcut, and one bound
    // for the keypad never fires. The top row's binding stands for both.
    if (vk::isKeypadDigit(virtualKey)) return std::nullopt;
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

std::vector<int> shortcutCodes(const KeyCombination& combination, const KeyboardLayout* layout) {
    const std::optional<int> code = qtKeyCode(combination);
    if (!code) return {};
    std::vector<int> codes{*code};
    const auto digit = std::find_if(combination.begin(), combination.end(), vk::isTopRowDigit);
    if (layout == nullptr || digit == combination.end()) return codes;
    const int modifiers = *code & ~(*digit);
    for (const int alternative : layout->digitShortcuts(*digit - vk::topRowDigit(0), modifiers)) {
        if (std::find(codes.begin(), codes.end(), alternative) == codes.end()) {
            codes.push_back(alternative);
        }
    }
    return codes;
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
