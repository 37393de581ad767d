#include "platform/wakeable_sleep.h"

#include <poll.h>

#include <algorithm>
#include <iterator>

namespace pointilla::platform {

WakeableSleep::WakeableSleep(const std::vector<int>& wakeFds) {
    std::copy_if(wakeFds.begin(), wakeFds.end(), std::back_inserter(fds_),
                 [](int fd) { return fd >= 0; });
}

bool WakeableSleep::sleep(std::chrono::steady_clock::duration left) {
    std::vector<pollfd> polled;
    polled.reserve(fds_.size());
    for (const int fd : fds_) polled.push_back(pollfd{fd, POLLIN, 0});
    const auto timeout = std::chrono::ceil<std::chrono::milliseconds>(left).count();
    if (::poll(polled.data(), polled.size(), static_cast<int>(timeout)) == 0) return false;
    fds_.clear();
    for (const pollfd& fd : polled) {
        if ((fd.revents & (POLLHUP | POLLERR | POLLNVAL)) == 0) fds_.push_back(fd.fd);
    }
    return true;
}

}  // namespace pointilla::platform
