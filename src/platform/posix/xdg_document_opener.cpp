#include "platform/posix/xdg_document_opener.h"

#include <utility>

#include "platform/posix/detached_process.h"

namespace pointilla::platform::posix {

XdgDocumentOpener::XdgDocumentOpener(std::filesystem::path handler, HandlerLimits limits)
    : handler_(std::move(handler)), running_(limits) {}

std::string XdgDocumentOpener::handlerArgument(const std::string& target) {
    if (!target.empty() && target.front() == '-') return "./" + target;
    return target;
}

bool XdgDocumentOpener::open(const std::string& target,
                             const std::filesystem::path& workingDirectory) {
    const auto handler = handler_.empty() ? findInPath("xdg-open") : handler_;
    if (handler.empty()) return false;
    const auto child = startChild(handler, {handlerArgument(target)}, workingDirectory);
    if (!child) return false;
    running_.add(*child, target);
    return true;
}

OpenerRoom XdgDocumentOpener::waitForRoom(std::chrono::milliseconds patience) {
    return running_.waitForRoom(patience);
}

bool DirectProgramStarter::start(const std::filesystem::path& program) {
    if (program.empty()) return false;
    return startDetached(program, {}, program.parent_path()).ok();
}

}  // namespace pointilla::platform::posix
