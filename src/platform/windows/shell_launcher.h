#pragma once
// Documents and web addresses open with the handler Windows has for them
// (ShellExecuteW, the text handed over whole as the thing to open, never parsed
// as a command line); programs start directly with CreateProcessW, no shell.

#include <filesystem>
#include <string>

#include "platform/desktop/desktop.h"

namespace pointilla::platform::windows {

class ShellDocumentOpener final : public DocumentOpener {
  public:
    bool open(const std::string& target, const std::filesystem::path& workingDirectory) override;
};

class DirectProgramStarter final : public ProgramStarter {
  public:
    // Runs in the program's own folder, with a normal window.
    bool start(const std::filesystem::path& program) override;
};

}  // namespace pointilla::platform::windows
