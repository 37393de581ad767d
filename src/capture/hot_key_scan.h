#pragma once
// The hot-key poll's decision, without any widget: whether the combination chosen
// in the three hot-key lists is held right now.
//
// The poll scans a fixed table of keys in a fixed order; every key found down
// writes its text into its slot (first modifier, second modifier, key), replacing
// what the slot held, so the order decides which key wins (SHIFT over ALT, a
// letter over a digit...). The combination is held when the three slots equal the
// three chosen entries exactly; an empty entry therefore means "that modifier
// up", not "either way".

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/desktop/desktop.h"

namespace pointilla::capture {

enum class ScanSlot { FirstModifier, SecondModifier, Key };

struct ScanKey {
    int virtualKey;
    ScanSlot slot;
    std::string_view text;
};

inline constexpr std::size_t kScanKeyCount = 60;

// The keys of the poll, in the order they are queried.
const std::array<ScanKey, kScanKeyCount>& hotKeyScanTable();

// What one scan found: the text of the last key found down in each slot, empty
// when none. The views point into the scan table.
struct ScannedKeys {
    std::string_view firstModifier;
    std::string_view secondModifier;
    std::string_view key;
    friend bool operator==(const ScannedKeys&, const ScannedKeys&) = default;
};

// Fills the slots from the down state of every key of the table, in table order.
ScannedKeys scanResult(const std::array<bool, kScanKeyCount>& down);

// Reads every key of the table with ONE batched query and fills the slots.
ScannedKeys scanHotKeys(platform::KeyboardState& keyboard);

// The entries currently shown by Combo1, Combo2 and Combo3.
struct HotKeyChoice {
    std::string_view firstModifier;
    std::string_view secondModifier;
    std::string_view key;
};

// Three exact, case-sensitive comparisons.
bool matchesChoice(const ScannedKeys& scanned, const HotKeyChoice& choice);

// Every key combination that makes the poll see the choice held: the chosen
// modifiers with each key of the table bearing the chosen key's text (a digit
// on the top row or on the keypad). Empty when the key entry is empty or names
// no key of the table, as nothing can then be held.
std::vector<platform::KeyCombination> combinationsOf(const HotKeyChoice& choice);

// One evaluation of the poll: one batched key-state query, then the comparison.
bool isHotKeyHeld(platform::KeyboardState& keyboard, const HotKeyChoice& choice);

}  // namespace pointilla::capture
