#include "capture/hot_key_scan.h"

#include <span>
#include <utility>

#include "platform/desktop/virtual_keys.h"

namespace pointilla::capture {
namespace {

namespace vk = platform::vk;

constexpr ScanKey first(int code, std::string_view text) {
    return {code, ScanSlot::FirstModifier, text};
}
constexpr ScanKey second(int code, std::string_view text) {
    return {code, ScanSlot::SecondModifier, text};
}
constexpr ScanKey key(int code, std::string_view text) { return {code, ScanSlot::Key, text}; }

// The order is part of the behaviour: F6 before F7, top-row 5 before 6, 3 before
// 4 and 1 before 2 are deliberate, and the keypad comes after the letters.
constexpr std::array<ScanKey, kScanKeyCount> kScanTable{{
    first(vk::kCtrl, "CTRL"),        second(vk::kAlt, "ALT"),
    second(vk::kShift, "SHIFT"),     key(vk::functionKey(10), "F10"),
    key(vk::functionKey(11), "F11"), key(vk::functionKey(12), "F12"),
    key(vk::functionKey(9), "F9"),   key(vk::functionKey(8), "F8"),
    key(vk::functionKey(6), "F6"),   key(vk::functionKey(7), "F7"),
    key(vk::functionKey(5), "F5"),   key(vk::functionKey(4), "F4"),
    key(vk::functionKey(3), "F3"),   key(vk::functionKey(2), "F2"),
    key(vk::functionKey(1), "F1"),   key(vk::topRowDigit(9), "9"),
    key(vk::topRowDigit(8), "8"),    key(vk::topRowDigit(7), "7"),
    key(vk::topRowDigit(5), "5"),    key(vk::topRowDigit(6), "6"),
    key(vk::topRowDigit(3), "3"),    key(vk::topRowDigit(4), "4"),
    key(vk::topRowDigit(1), "1"),    key(vk::topRowDigit(2), "2"),
    key(vk::topRowDigit(0), "0"),    key(vk::letter('Z'), "Z"),
    key(vk::letter('Y'), "Y"),       key(vk::letter('X'), "X"),
    key(vk::letter('W'), "W"),       key(vk::letter('V'), "V"),
    key(vk::letter('U'), "U"),       key(vk::letter('T'), "T"),
    key(vk::letter('S'), "S"),       key(vk::letter('R'), "R"),
    key(vk::letter('Q'), "Q"),       key(vk::letter('P'), "P"),
    key(vk::letter('O'), "O"),       key(vk::letter('N'), "N"),
    key(vk::letter('M'), "M"),       key(vk::letter('L'), "L"),
    key(vk::letter('K'), "K"),       key(vk::letter('J'), "J"),
    key(vk::letter('I'), "I"),       key(vk::letter('H'), "H"),
    key(vk::letter('G'), "G"),       key(vk::letter('F'), "F"),
    key(vk::letter('E'), "E"),       key(vk::letter('D'), "D"),
    key(vk::letter('C'), "C"),       key(vk::letter('B'), "B"),
    key(vk::letter('A'), "A"),       key(vk::keypadDigit(1), "1"),
    key(vk::keypadDigit(2), "2"),    key(vk::keypadDigit(3), "3"),
    key(vk::keypadDigit(4), "4"),    key(vk::keypadDigit(5), "5"),
    key(vk::keypadDigit(6), "6"),    key(vk::keypadDigit(7), "7"),
    key(vk::keypadDigit(8), "8"),    key(vk::keypadDigit(9), "9"),
}};

constexpr std::array<int, kScanKeyCount> virtualKeysOf(
    const std::array<ScanKey, kScanKeyCount>& t) {
    std::array<int, kScanKeyCount> codes{};
    for (std::size_t i = 0; i < t.size(); ++i) codes[i] = t[i].virtualKey;
    return codes;
}

constexpr std::array<int, kScanKeyCount> kScanVirtualKeys = virtualKeysOf(kScanTable);

}  // namespace

const std::array<ScanKey, kScanKeyCount>& hotKeyScanTable() { return kScanTable; }

ScannedKeys scanResult(const std::array<bool, kScanKeyCount>& down) {
    ScannedKeys found;
    for (std::size_t i = 0; i < kScanTable.size(); ++i) {
        if (!down[i]) continue;
        const ScanKey& entry = kScanTable[i];
        switch (entry.slot) {
            case ScanSlot::FirstModifier:
                found.firstModifier = entry.text;
                break;
            case ScanSlot::SecondModifier:
                found.secondModifier = entry.text;
                break;
            case ScanSlot::Key:
                found.key = entry.text;
                break;
        }
    }
    return found;
}

ScannedKeys scanHotKeys(platform::KeyboardState& keyboard) {
    std::array<bool, kScanKeyCount> down{};
    keyboard.queryDown(std::span<const int>(kScanVirtualKeys), std::span<bool>(down));
    return scanResult(down);
}

bool matchesChoice(const ScannedKeys& scanned, const HotKeyChoice& choice) {
    return scanned.firstModifier == choice.firstModifier &&
           scanned.secondModifier == choice.secondModifier && scanned.key == choice.key;
}

std::vector<platform::KeyCombination> combinationsOf(const HotKeyChoice& choice) {
    const auto codeOf = [](ScanSlot slot, std::string_view text) {
        for (const ScanKey& entry : kScanTable) {
            if (entry.slot == slot && entry.text == text) return entry.virtualKey;
        }
        return 0;
    };
    platform::KeyCombination modifiers;
    for (const auto& [slot, text] : {std::pair{ScanSlot::FirstModifier, choice.firstModifier},
                                     std::pair{ScanSlot::SecondModifier, choice.secondModifier}}) {
        if (text.empty()) continue;
        const int code = codeOf(slot, text);
        if (code == 0) return {};  // a modifier the poll never finds: never held
        modifiers.push_back(code);
    }
    std::vector<platform::KeyCombination> combinations;
    for (const ScanKey& entry : kScanTable) {
        if (entry.slot != ScanSlot::Key || entry.text != choice.key) continue;
        platform::KeyCombination combination = modifiers;
        combination.push_back(entry.virtualKey);
        combinations.push_back(std::move(combination));
    }
    return combinations;
}

bool isHotKeyHeld(platform::KeyboardState& keyboard, const HotKeyChoice& choice) {
    return matchesChoice(scanHotKeys(keyboard), choice);
}

}  // namespace pointilla::capture
