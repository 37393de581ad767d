#include "language/language.h"

#include <cstdlib>

#include "messages/catalogue.h"
#include "platform/language_settings.h"

namespace pointilla::language {

namespace {

enum class Entry { Empty, French, English, Neutral, Other };

// "fr_CA.UTF-8@euro", "fr-FR", "C.UTF-8": the language is what comes before
// the territory, the code set and the modifier.
Entry classify(std::string_view entry) {
    const std::string_view code = entry.substr(0, entry.find_first_of("_-.@"));
    if (code.empty()) return entry.empty() ? Entry::Empty : Entry::Other;
    if (code == "fr") return Entry::French;
    if (code == "en") return Entry::English;
    if (code == "C" || code == "POSIX") return Entry::Neutral;
    return Entry::Other;
}

// What one setting says, Empty when it says nothing.
Entry decide(std::string_view setting) {
    bool sawOther = false;
    while (true) {
        const std::size_t colon = setting.find(':');
        const Entry entry = classify(setting.substr(0, colon));
        if (entry == Entry::Other) {
            sawOther = true;
        } else if (entry != Entry::Empty) {
            return entry;
        }
        if (colon == std::string_view::npos) break;
        setting.remove_prefix(colon + 1);
    }
    return sawOther ? Entry::Other : Entry::Empty;
}

}  // namespace

Language chooseLanguage(std::string_view chosen, const std::vector<std::string>& settings) {
    if (chosen == "fr") return Language::French;
    if (chosen == "en") return Language::English;
    for (const std::string& setting : settings) {
        switch (decide(setting)) {
            case Entry::Empty:
                continue;
            case Entry::French:
            case Entry::Neutral:
                return Language::French;
            case Entry::English:
            case Entry::Other:
                return Language::English;
        }
    }
    return Language::French;
}

Language interfaceLanguage() {
    const char* chosen = std::getenv("POINTILLA_LANGUAGE");
    return chooseLanguage(chosen != nullptr ? chosen : "", platform::systemLanguageSettings());
}

Language settleInterfaceLanguage() {
    const Language language = interfaceLanguage();
    messages::setMessageLanguage(language == Language::English ? messages::MessageLanguage::English
                                                               : messages::MessageLanguage::French);
    return language;
}

}  // namespace pointilla::language
