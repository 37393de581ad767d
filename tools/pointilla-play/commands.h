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
    kDesktopLost = 5,  // the desktop went away during the playback
    kStopped = 6,      // Escape stopped the playback
};

struct PlayOptions {
    std::string displayName;    // empty: $DISPLAY
    int repetitions = 1;        // 1 to 9999, or playback::kLoop
    bool progressLine = false;  // one updating line on err (a terminal)
};

// Prints the rows the file holds, one per line: action, TAB, detail (UTF-8).
int listRows(const std::filesystem::path& file, std::ostream& out, std::ostream& err);

// Plays the file's rows on the X display, waiting out the delays in real
// seconds, as many times as asked. Nothing is played when the file cannot be
// read whole or the display cannot be opened. Escape, wherever the focus is,
// stops it (kStopped); a desktop that goes away ends it at that row
// (kDesktopLost); SIGINT and SIGTERM stop it after the row in progress,
// then end the program by that signal. With progressLine, one updating line
// of err shows the row being played and the wait left.
int playRows(const std::filesystem::path& file, const PlayOptions& options, std::ostream& err);

}  // namespace pointilla::play
