#pragma once
// The command line of a console program as UTF-8, the program's own text: the
// narrow argv of the C run-time is in the ANSI code page and loses every
// character outside it.

#include <string>
#include <vector>

namespace pointilla::platform::windows {

// All arguments, argv[0] included, read from the wide command line; the console
// is also set to show UTF-8 output.
std::vector<std::string> startUtf8ConsoleProgram();

}  // namespace pointilla::platform::windows
