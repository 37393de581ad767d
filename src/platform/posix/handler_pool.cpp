#include "platform/posix/handler_pool.h"

#include <algorithm>
#include <thread>
#include <utility>

#include "platform/posix/detached_process.h"

namespace pointilla::platform::posix {
namespace {

// How often a wait looks again: well under what a person notices.
constexpr std::chrono::milliseconds kLookAgain{5};

}  // namespace

HandlerPool::HandlerPool(HandlerLimits limits) : limits_(limits) {}

HandlerPool::~HandlerPool() { reapEnded(); }

void HandlerPool::add(pid_t child, std::string target) {
    reapEnded();  // handlers opened outside a playback end as zombies until then
    counted_.push_back(Handler{child, std::move(target), Clock::now()});
}

void HandlerPool::reapEnded() {
    std::erase_if(counted_, [](const Handler& handler) { return hasEnded(handler.pid); });
    std::erase_if(letGo_, [](pid_t pid) { return hasEnded(pid); });
}

OpenerRoom HandlerPool::waitForRoom(std::chrono::milliseconds patience) {
    OpenerRoom room;
    const auto deadline = Clock::now() + patience;
    while (true) {
        reapEnded();
        if (counted_.size() >= limits_.atOnce && !counted_.empty() &&
            Clock::now() - counted_.front().started > limits_.holdLimit) {
            letGo_.push_back(counted_.front().pid);
            room.letGo.push_back(std::move(counted_.front().target));
            counted_.erase(counted_.begin());
        }
        room.free = counted_.size() < limits_.atOnce;
        const auto now = Clock::now();
        if (room.free || now >= deadline) return room;
        std::this_thread::sleep_for(std::min<Clock::duration>(kLookAgain, deadline - now));
    }
}

}  // namespace pointilla::platform::posix
