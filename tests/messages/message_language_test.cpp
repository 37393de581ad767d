// The messages speak the run's language, chosen once from the environment:
// English for an English locale or POINTILLA_LANGUAGE=en, French, byte for
// byte, for the C locale. Whole sentences are translated, with their parts
// where the language puts them.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "language/language.h"
#include "messages/accessible_names.h"
#include "messages/capture_messages.h"
#include "messages/catalogue.h"
#include "messages/file_messages.h"
#include "messages/french_text.h"
#include "messages/play_messages.h"
#include "messages/playback_messages.h"
#include "messages/tool_voice.h"
#include "messages/trellis_messages.h"

namespace pointilla::messages {
namespace {

const std::string nb(kNoBreakSpace);

struct Case {
    const char* what;
    std::function<std::string()> message;
    std::string french;
    std::string english;
};

const std::vector<Case>& cases() {
    static const std::vector<Case> kCases{
        {"a reason after a quoted file name",
         [] { return unreadableFileMessage("a.sce", systemFileReason(ENOENT)); },
         "impossible de lire «" + nb + "a.sce" + nb + "» : le fichier ou le dossier n'existe pas",
         "cannot read “a.sce”: no such file or folder"},
        {"a placeholder inside an argument stays as typed",
         [] { return programLine("pointilla-play", unknownOption("--%2")); },
         "pointilla-play : option inconnue «" + nb + "--%2" + nb + "».",
         "pointilla-play: unknown option “--%2”."},
        {"no click is plural in English only", [] { return clickCaptureCount(0); },
         "Capture des clics : 0 clic", "Click capture: 0 clicks"},
        {"one click is singular in both", [] { return clickCaptureCount(1); },
         "Capture des clics : 1 clic", "Click capture: 1 click"},
        {"the progress line with its pass and wait",
         [] {
             return progressLine({3, 12, 4, 2, 5, false}, "Délai 5");
         },
         "Ligne 3 sur 12 (passage 2 sur 5) : Délai 5, encore 4 s",
         "Row 3 of 12 (pass 2 of 5): Délai 5, 4 s left"},
        {"a second placeholder used alone",
         [] { return regFileProblemText(RegFileProblem::UnknownRoot, "HKEY_X"); },
         "racine inconnue «" + nb + "HKEY_X" + nb + "»", "unknown root “HKEY_X”"},
        {"a screen reader's name from the table",
         [] { return std::string(accessibleTextOf("Form3", "Command2")->description); },
         "Ferme la fenêtre sans rien changer", "Closes the window without changing anything"},
        {"the help's closing words",
         [] {
             const std::string help = playHelpText();
             return help.substr(help.find("\n\n") + 2, 10);
         },
         "Rien n'est", "Nothing is"},
        {"why the control could not be loaded",
         [] {
             return hostFailureText(
                 {HostFailure::Kind::LibraryNotLoaded, "/x/libtrellis.so", "no such file"});
         },
         "impossible de charger la bibliothèque «" + nb + "/x/libtrellis.so" + nb +
             "» : no such file",
         "cannot load the library “/x/libtrellis.so”: no such file"},
        {"the usage of the other tool", [] { return trellisUsageText("").substr(0, 13); },
         "Utilisation :", "Usage:\n  trel"},
    };
    return kCases;
}

// Sets the language variables for one test and puts them back after.
class Environment {
  public:
    explicit Environment(const std::vector<std::pair<const char*, const char*>>& values) {
        for (const char* name :
             {"POINTILLA_LANGUAGE", "LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
            const char* old = std::getenv(name);
            saved_.emplace_back(name,
                                old != nullptr ? std::optional<std::string>(old) : std::nullopt);
            unsetenv(name);
        }
        for (const auto& [name, value] : values) setenv(name, value, 1);
        language::settleInterfaceLanguage();
    }
    ~Environment() {
        for (const auto& [name, value] : saved_) {
            if (value) {
                setenv(name, value->c_str(), 1);
            } else {
                unsetenv(name);
            }
        }
        setMessageLanguage(MessageLanguage::French);
    }

  private:
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

TEST(MessageLanguage, EnglishForAnEnglishLocaleFrenchForTheCLocale) {
    struct Run {
        const char* name;
        std::vector<std::pair<const char*, const char*>> environment;
        bool english;
    };
    const Run runs[] = {
        {"LANG=C", {{"LANG", "C"}}, false},
        {"LANG=en_US.UTF-8", {{"LANG", "en_US.UTF-8"}}, true},
        {"POINTILLA_LANGUAGE=en over LANG=fr",
         {{"POINTILLA_LANGUAGE", "en"}, {"LANG", "fr_FR.UTF-8"}},
         true},
    };
    for (const Run& run : runs) {
        const Environment environment(run.environment);
        for (const Case& c : cases()) {
            EXPECT_EQ(c.message(), run.english ? c.english : c.french)
                << run.name << ": " << c.what;
        }
    }
}

}  // namespace
}  // namespace pointilla::messages
