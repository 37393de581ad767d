#pragma once
// The two things the player does with a scenario file.

#include <filesystem>
#include <iosfwd>
#include <string>

namespace pointilla::play {

// Exit statuses, as --help documents them.
enum ExitStatus : int {
    kSuccess = 0,
    kUsage = 1,
    kUnreadableFile = 2,
    kReadingStopped = 3,
    kNoDisplay = 4,
};

// Prints the rows the file holds, one per line: action, TAB, detail (UTF-8).
int listRows(const std::filesystem::path& file, std::ostream& out, std::ostream& err);

// Plays the file's rows on the X display (empty name: $DISPLAY), waiting out
// the delays in real seconds. Nothing is played when the file cannot be read
// whole or the display cannot be opened.
int playRows(const std::filesystem::path& file, const std::string& displayName, std::ostream& err);

}  // namespace pointilla::play
