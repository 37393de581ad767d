#pragma once
// What a console program needs from its system: its arguments as the program's
// own UTF-8 text, file names given in them, its own path, and whether its
// standard error can show a progress line.

#include <filesystem>
#include <string>
#include <vector>

namespace pointilla::platform {

// All arguments, argv[0] included, as UTF-8. On Windows they are read from the
// wide command line (argv is in the ANSI code page), and the console is set to
// show UTF-8 output from then on.
std::vector<std::string> programArguments(int argc, char** argv);

// A file name given as UTF-8 text, in the system's own form.
std::filesystem::path pathFromArgument(const std::string& utf8);

// The running program's own executable; empty when it cannot be found.
std::filesystem::path programPath();

// Whether standard error is a terminal that moves its cursor back for a
// progress line (on Windows, a console once asked to follow terminal sequences).
bool stderrIsProgressTerminal();

}  // namespace pointilla::platform
