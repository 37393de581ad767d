#include "capture/hot_key_scan.h"

#include <span>

namespace pointilla::capture {
namespace {

constexpr ScanKey first(int vk, std::string_view text) {
    return {vk, ScanSlot::FirstModifier, text};
}
constexpr ScanKey second(int vk, std::string_view text) {
    return {vk, ScanSlot::SecondModifier, text};
}
constexpr ScanKey key(int vk, std::string_view text) { return {vk, ScanSlot::Key, text}; }

// The order is part of the behaviour: F6 before F7, top-row 5 before 6, 3 before
// 4 and 1 before 2 are deliberate, and the keypad comes after the letters.
constexpr std::array<ScanKey, kScanKeyCount> kScanTable{{
    first(0x11, "CTRL"), second(0x12, "ALT"), second(0x10, "SHIFT"), key(0x79, "F10"),
    key(0x7A, "F11"),    key(0x7B, "F12"),    key(0x78, "F9"),       key(0x77, "F8"),
    key(0x75, "F6"),     key(0x76, "F7"),     key(0x74, "F5"),       key(0x73, "F4"),
    key(0x72, "F3"),     key(0x71, "F2"),     key(0x70, "F1"),       key(0x39, "9"),
    key(0x38, "8"),      key(0x37, "7"),      key(0x35, "5"),        key(0x36, "6"),
    key(0x33, "3"),      key(0x34, "4"),      key(0x31, "1"),        key(0x32, "2"),
    key(0x30, "0"),      key(0x5A, "Z"),      key(0x59, "Y"),        key(0x58, "X"),
    key(0x57, "W"),      key(0x56, "V"),      key(0x55, "U"),        key(0x54, "T"),
    key(0x53, "S"),      key(0x52, "R"),      key(0x51, "Q"),        key(0x50, "P"),
    key(0x4F, "O"),      key(0x4E, "N"),      key(0x4D, "M"),        key(0x4C, "L"),
    key(0x4B, "K"),      key(0x4A, "J"),      key(0x49, "I"),        key(0x48, "H"),
    key(0x47, "G"),      key(0x46, "F"),      key(0x45, "E"),        key(0x44, "D"),
    key(0x43, "C"),      key(0x42, "B"),      key(0x41, "A"),        key(0x61, "1"),
    key(0x62, "2"),      key(0x63, "3"),      key(0x64, "4"),        key(0x65, "5"),
    key(0x66, "6"),      key(0x67, "7"),      key(0x68, "8"),        key(0x69, "9"),
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

bool isHotKeyHeld(platform::KeyboardState& keyboard, const HotKeyChoice& choice) {
    return matchesChoice(scanHotKeys(keyboard), choice);
}

}  // namespace pointilla::capture
