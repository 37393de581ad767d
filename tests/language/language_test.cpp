#include "language/language.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using pointilla::language::chooseLanguage;
using pointilla::language::Language;

struct Case {
    const char* what;
    const char* chosen;                 // POINTILLA_LANGUAGE
    std::vector<std::string> settings;  // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
    Language expected;
};

const Language fr = Language::French;
const Language en = Language::English;

TEST(ChooseLanguage, FollowsTheOverrideThenTheFirstSettingThatSaysSomething) {
    const std::vector<Case> cases = {
        {"nothing set", "", {"", "", "", ""}, fr},
        {"no settings at all", "", {}, fr},
        {"C", "", {"", "", "", "C"}, fr},
        {"C.UTF-8", "", {"", "", "", "C.UTF-8"}, fr},
        {"POSIX", "", {"", "POSIX", "", ""}, fr},
        {"French", "", {"", "", "", "fr_FR.UTF-8"}, fr},
        {"French of Canada, modifier", "", {"", "", "", "fr_CA.ISO-8859-1@euro"}, fr},
        {"bare fr", "", {"", "", "", "fr"}, fr},
        {"English", "", {"", "", "", "en_US.UTF-8"}, en},
        {"a language without words", "", {"", "", "", "de_DE.UTF-8"}, en},
        {"Frisian is not French", "", {"", "", "", "fy_NL"}, en},
        {"North Frisian is not French", "", {"", "", "", "frr_DE"}, en},
        {"LC_ALL before LANG", "", {"", "en_GB.UTF-8", "", "fr_FR.UTF-8"}, en},
        {"LC_MESSAGES before LANG", "", {"", "", "fr_BE.UTF-8", "en_US.UTF-8"}, fr},
        {"LC_ALL before LC_MESSAGES", "", {"", "C", "en_US.UTF-8", ""}, fr},
        {"LANGUAGE first", "", {"en_GB:en", "", "", "fr_FR.UTF-8"}, en},
        {"LANGUAGE's first known entry", "", {"de:fr_FR:en", "", "", "en_US.UTF-8"}, fr},
        {"LANGUAGE of unknown languages", "", {"de:es", "", "", "fr_FR.UTF-8"}, en},
        {"LANGUAGE of empty entries", "", {"::", "", "", "en_US.UTF-8"}, en},
        {"Windows' own form", "", {"fr-FR"}, fr},
        {"Windows in English", "", {"en-US"}, en},
        {"override to English", "en", {"", "", "", "fr_FR.UTF-8"}, en},
        {"override to French", "fr", {"en:de", "en_US", "en_US", "en_US"}, fr},
        {"an override it has no words for", "de", {"", "", "", "fr_FR.UTF-8"}, fr},
        {"an override in another form", "en_US", {"", "", "", "C"}, fr},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(chooseLanguage(c.chosen, c.settings), c.expected) << c.what;
    }
}

}  // namespace
