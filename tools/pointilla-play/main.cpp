// pointilla-play: plays a scenario file on the X display without the main
// window, or lists the rows it holds.

#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "language/language.h"
#include "messages/play_messages.h"
#include "messages/tool_voice.h"
#include "platform/console.h"
#include "platform/files/file_size_limit.h"
#include "playback/playback_engine.h"
#include "tools/pointilla-play/commands.h"

namespace {

int usageError(const std::string& what) {
    const pointilla::messages::ToolVoice voice(pointilla::messages::kPlayProgram, std::cerr);
    return voice.refuseUsage(what, pointilla::play::kUsage);
}

// The file name as the program's UTF-8 text, whatever the system's narrow encoding.
std::filesystem::path fromUtf8(const std::string& name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

}  // namespace

int main(int argc, char** argv) {
    pointilla::language::settleInterfaceLanguage();
    pointilla::platform::files::reportFileSizeLimitAsError();
    const std::vector<std::string> args = pointilla::platform::programArguments(argc, argv);
    bool list = false;
    bool repeatGiven = false;
    pointilla::play::PlayOptions options;
    std::string file;
    bool haveFile = false;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!optionsEnded && arg == "--help") {
            std::cout << pointilla::messages::playHelpText();
            return pointilla::play::kSuccess;
        }
        if (!optionsEnded && arg == "--list") {
            list = true;
        } else if (!optionsEnded && arg == "--display") {
            if (i + 1 >= args.size()) return usageError(pointilla::messages::displayNameMissing());
            options.displayName = args[++i];
        } else if (!optionsEnded && arg == "--repeat") {
            const int count =
                i + 1 < args.size() ? pointilla::playback::parseRepetitions(args[i + 1]) : 0;
            // parseRepetitions reads anything but a plain 1..9999 as once.
            if (i + 1 >= args.size() || count == pointilla::playback::kLoop ||
                (count == 1 && std::string_view(args[i + 1]) != "1")) {
                return usageError(pointilla::messages::repetitionsNotANumber());
            }
            options.repetitions = count;
            repeatGiven = true;
            ++i;
        } else if (!optionsEnded && arg == "--loop") {
            options.repetitions = pointilla::playback::kLoop;
            repeatGiven = true;
        } else if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg.size() > 1 && arg.front() == '-') {
            return usageError(pointilla::messages::unknownOption(arg));
        } else if (haveFile) {
            return usageError(pointilla::messages::oneFileAtATime());
        } else {
            file = arg;
            haveFile = true;
        }
    }
    if (!haveFile) return usageError(pointilla::messages::scenarioFileMissing());
    if (list && !options.displayName.empty()) {
        return usageError(pointilla::messages::listTakesNoDisplay());
    }
    if (list && repeatGiven) return usageError(pointilla::messages::listTakesNoRepetitions());
    options.progressLine = pointilla::platform::stderrIsProgressTerminal();
    return list ? pointilla::play::listRows(fromUtf8(file), std::cout, std::cerr)
                : pointilla::play::playRows(fromUtf8(file), options, std::cerr);
}
