#include "platform/wakeable_sleep.h"

#include <algorithm>
#include <thread>

namespace pointilla::platform {

WakeableSleep::WakeableSleep(const std::vector<int>& /*wakeFds*/) {}

bool WakeableSleep::sleep(std::chrono::steady_clock::duration left) {
    constexpr std::chrono::milliseconds kSlice{50};
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(left, kSlice));
    return true;
}

}  // namespace pointilla::platform
