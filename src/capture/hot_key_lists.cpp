#include "capture/hot_key_lists.h"

#include "scenario/detail_text.h"

namespace pointilla::capture {

std::vector<std::string> firstModifierEntries() { return {"", "CTRL"}; }

std::vector<std::string> secondModifierEntries() { return {"", "ALT", "SHIFT"}; }

std::vector<std::string> hotKeyKeyEntries() {
    std::vector<std::string> entries;
    entries.reserve(47);
    for (int digit = 1; digit <= 9; ++digit) entries.push_back(std::to_string(digit));
    for (int f = 1; f <= 12; ++f) entries.push_back("F" + std::to_string(f));
    for (char letter = 'A'; letter <= 'Z'; ++letter) entries.emplace_back(1, letter);
    return entries;
}

std::vector<std::string> delayEntries() { return scenario::delayChoices(); }

int storedListIndex(std::string_view storedText, int listSize, int defaultIndex) {
    const auto index = scenario::parseWholeNumber(storedText);
    if (!index || *index < 0 || *index >= listSize) return defaultIndex;
    return *index;
}

std::string listIndexText(int index) { return std::to_string(index); }

}  // namespace pointilla::capture
