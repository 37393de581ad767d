#include "messages/tool_voice.h"

#include <ostream>

#include "messages/catalogue.h"
#include "messages/french_text.h"

namespace pointilla::messages {

std::string programLine(std::string_view program, std::string_view message) {
    return filled(translated("tool_voice", "%1 : %2"), {program, message});
}

std::string exitCodesText(std::initializer_list<ExitCode> codes) {
    std::string text = std::string(translated("tool_voice", "Codes de sortie :")) + "\n";
    for (const ExitCode& code : codes) {
        text += "  " + std::to_string(code.status) + "  " + std::string(code.meaning) + "\n";
    }
    return text;
}

void ToolVoice::say(std::string_view message) const {
    err_ << programLine(program_, message) << "\n";
    err_.flush();
}

int ToolVoice::refuseUsage(std::string_view what, int exitStatus) const {
    err_ << programLine(program_, what) << "\n"
         << filled(translated("tool_voice", "Essayez %1."), {guillemets(program_ + " --help")})
         << "\n";
    err_.flush();
    return exitStatus;
}

}  // namespace pointilla::messages
