#pragma once
// How the command-line tools speak, in one way: each message on its own line
// after the program's name ("trellis : ..."), a mistake on the command line
// followed by where the usage is, and the exit codes listed alike in --help.

#include <initializer_list>
#include <iosfwd>
#include <string>
#include <string_view>

namespace pointilla::messages {

// "program : message", without its line end.
std::string programLine(std::string_view program, std::string_view message);

// An exit code and what it means, for the list in --help.
struct ExitCode {
    int status;
    std::string_view meaning;
};

// "Codes de sortie :" and one indented line per code.
std::string exitCodesText(std::initializer_list<ExitCode> codes);

class ToolVoice {
  public:
    ToolVoice(std::string_view program, std::ostream& err) : program_(program), err_(err) {}

    // One line on the error stream, flushed: a message is seen before what follows.
    void say(std::string_view message) const;

    // Says what is wrong with the command line, then how to get the usage;
    // gives back the tool's exit status for it.
    int refuseUsage(std::string_view what, int exitStatus) const;

  private:
    std::string program_;
    std::ostream& err_;
};

}  // namespace pointilla::messages
