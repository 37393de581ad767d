#pragma once
// The program's settings: the string values kept under its settings key, each
// with the text it takes when nothing usable is stored. Whoever reads or writes
// a setting takes its name and default from here. Names are UTF-8 in memory;
// the store keeps them in Windows-1252.

#include <array>
#include <string_view>

namespace pointilla::settings {

struct Value {
    std::string_view name;
    std::string_view defaultText;
};

// The hot key's three lists keep the index of their chosen entry, in decimal;
// by default the hot key is CTRL + ALT + 1.
inline constexpr Value kFirstModifier{"cl\u00e91", "1"};   // Combo1: "CTRL"
inline constexpr Value kSecondModifier{"cl\u00e92", "1"};  // Combo2: "ALT"
inline constexpr Value kHotKey{"cl\u00e93", "0"};          // Combo3: "1"
inline constexpr Value kVisible{"Visible", "1"};
// "1": hide the main window while a scenario plays.
inline constexpr Value kHideWhilePlaying{"redlec", "0"};

// How many times a playback goes through the scenario: "1" to "9999" or
// "boucle". Written only by "Répéter la lecture..."; missing counts as "1".
inline constexpr Value kRepetitions{"repet", "1"};
// The folder of the last scenario file opened or saved; none at first.
inline constexpr Value kFolder{"dossier", ""};

// The texts of an option that is on or off.
inline constexpr std::string_view kOn = "1";
inline constexpr std::string_view kOff = "0";

// The values start-up gives their defaults to, in its order; the later ones
// are written only when the user chooses them.
inline constexpr std::array<Value, 5> kAllValues{
    kFirstModifier, kSecondModifier, kHotKey, kVisible, kHideWhilePlaying,
};

// A default that is a list index, as a number.
constexpr int defaultIndex(const Value& value) {
    int index = 0;
    for (const char digit : value.defaultText) index = index * 10 + (digit - '0');
    return index;
}

}  // namespace pointilla::settings
