#pragma once
// The entries of the main window's four drop-down lists (the three hot-key lists
// and the delay list), their default selections, and how a chosen hot-key entry
// is kept in the settings (settings::kFirstModifier .. kHotKey): as its list
// index in decimal text.

#include <string>
#include <string_view>
#include <vector>

#include "common/settings_values.h"

namespace pointilla::capture {

// The lists' entries in list order.
std::vector<std::string> firstModifierEntries();   // Combo1: "", "CTRL"
std::vector<std::string> secondModifierEntries();  // Combo2: "", "ALT", "SHIFT"
std::vector<std::string> hotKeyKeyEntries();       // Combo3: "1".."9", "F1".."F12", "A".."Z"
std::vector<std::string> delayEntries();           // Combo4: "1".."60"

// The entries selected when no choice is kept (the settings' defaults: CTRL +
// ALT + 1); the delay list always starts at "1".
inline constexpr int kFirstModifierDefaultIndex = settings::defaultIndex(settings::kFirstModifier);
inline constexpr int kSecondModifierDefaultIndex =
    settings::defaultIndex(settings::kSecondModifier);
inline constexpr int kHotKeyKeyDefaultIndex = settings::defaultIndex(settings::kHotKey);
inline constexpr int kDelayDefaultIndex = 0;

// A stored list index: a whole number (blanks around it ignored) in
// [0, listSize). Anything else, the empty text of a failed read included, gives
// defaultIndex, so a hand-edited or unwritable store never stops the program.
int storedListIndex(std::string_view storedText, int listSize, int defaultIndex);

// The text an index is stored as: decimal, no sign, no blanks.
std::string listIndexText(int index);

}  // namespace pointilla::capture
