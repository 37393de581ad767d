#pragma once
// Documents and web addresses open with the desktop's default handler
// (xdg-open), a few handlers at most at once; programs start directly.
// Neither goes through a shell.

#include <filesystem>
#include <string>

#include "platform/desktop/desktop.h"
#include "platform/posix/handler_pool.h"

namespace pointilla::platform::posix {

class XdgDocumentOpener final : public DocumentOpener {
  public:
    // The handler is looked up along $PATH unless given.
    explicit XdgDocumentOpener(std::filesystem::path handler = {}, HandlerLimits limits = {});
    bool open(const std::string& target, const std::filesystem::path& workingDirectory) override;
    OpenerRoom waitForRoom(std::chrono::milliseconds patience) override;

    // The argument handed to the handler: a target that begins with "-" could
    // only be a relative file name, so it becomes "./" + target and can never be
    // read as an option.
    static std::string handlerArgument(const std::string& target);

  private:
    std::filesystem::path handler_;
    HandlerPool running_;
};

class DirectProgramStarter final : public ProgramStarter {
  public:
    // Runs in the program's own folder.
    bool start(const std::filesystem::path& program) override;
};

}  // namespace pointilla::platform::posix
