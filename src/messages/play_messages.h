#pragma once
// What pointilla-play says: its help and its usage mistakes. The
// lines about a file or a playback come from file_messages and
// playback_messages, said through the ToolVoice.

#include <string>
#include <string_view>

namespace pointilla::messages {

inline constexpr std::string_view kPlayProgram = "pointilla-play";

// --help: the usage, what is played and the exit codes.
std::string playHelpText();

// The mistakes on the command line.
std::string displayNameMissing();
std::string repetitionsNotANumber();
std::string unknownOption(std::string_view option);
std::string oneFileAtATime();
std::string scenarioFileMissing();
std::string listTakesNoDisplay();
std::string listTakesNoRepetitions();

}  // namespace pointilla::messages
