#pragma once
// A 32-bit millisecond count (the X server's event time, Windows' tick count)
// turned into a clock that does not wrap, so that a pause measured across the
// count's wrap (every 49.7 days) stays right.

#include <chrono>
#include <cstdint>

namespace pointilla::platform {

class WrappingTicks {
  public:
    // Ticks must come in the order the events happened.
    std::chrono::milliseconds extend(std::uint32_t ticks) {
        if (!started_) {
            started_ = true;
            total_ = ticks;
        } else {
            total_ += static_cast<std::uint32_t>(ticks - last_);  // modulo 2^32
        }
        last_ = ticks;
        return std::chrono::milliseconds(total_);
    }

  private:
    bool started_ = false;
    std::uint32_t last_ = 0;
    std::int64_t total_ = 0;
};

}  // namespace pointilla::platform
