// Both command-line tools speak through one voice: the program's name before
// each line, a mistake followed by where the usage is, the exit codes alike.
#include "messages/tool_voice.h"

#include <gtest/gtest.h>

#include <sstream>

namespace pointilla::messages {
namespace {

TEST(ToolVoice, SaysLinesAfterTheProgramAndPointsAMistakeToTheHelp) {
    std::ostringstream err;
    const ToolVoice voice("trellis", err);
    voice.say("le registre n'est pas disponible");
    EXPECT_EQ(voice.refuseUsage("il manque la commande.", 2), 2);
    EXPECT_EQ(err.str(),
              "trellis : le registre n'est pas disponible\n"
              "trellis : il manque la commande.\n"
              "Essayez «\u00a0trellis --help\u00a0».\n");
    EXPECT_EQ(exitCodesText({{0, "succès"}, {6, "lecture arrêtée par Échap"}}),
              "Codes de sortie :\n  0  succès\n  6  lecture arrêtée par Échap\n");
}

}  // namespace
}  // namespace pointilla::messages
