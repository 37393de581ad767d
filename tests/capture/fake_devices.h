#pragma once
// Small stand-ins for the desktop: a pointer whose position the test sets, and a
// keyboard whose held keys the test sets, which counts its queries and can tell
// of changes through a real descriptor, like the X11 backend does.

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>
#include <optional>
#include <set>
#include <span>

#include "platform/desktop/desktop.h"

namespace pointilla::capture::testing {

class FakePointer : public platform::PointerDevice {
  public:
    std::optional<platform::ScreenPoint> at{platform::ScreenPoint{0, 0}};
    std::optional<platform::ScreenPoint> position() override { return at; }
    void moveTo(platform::ScreenPoint point) override { at = point; }
};

class FakeKeyboard : public platform::KeyboardState {
  public:
    enum class Notifier { None, EventFd };

    explicit FakeKeyboard(Notifier notifier = Notifier::None) {
        if (notifier == Notifier::EventFd) fd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    }
    ~FakeKeyboard() override {
        if (fd_ >= 0) close(fd_);
    }
    FakeKeyboard(const FakeKeyboard&) = delete;
    FakeKeyboard& operator=(const FakeKeyboard&) = delete;

    std::set<int> held;
    int batchedQueries = 0;
    int singleQueries = 0;
    bool alwaysReportChanges = false;

    // Holds exactly these keys, and tells the poller (when it listens).
    void hold(std::set<int> keys) {
        held = std::move(keys);
        raiseChange();
    }
    void raiseChange() {
        if (fd_ < 0) return;
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = write(fd_, &one, sizeof one);
    }

    bool isDown(int virtualKey) override {
        ++singleQueries;
        return held.count(virtualKey) != 0;
    }
    void queryDown(std::span<const int> virtualKeys, std::span<bool> down) override {
        ++batchedQueries;
        for (std::size_t i = 0; i < virtualKeys.size(); ++i) {
            down[i] = held.count(virtualKeys[i]) != 0;
        }
    }
    int changeNotifier() const override { return fd_; }
    bool takeChanges() override {
        if (fd_ < 0) return true;
        std::uint64_t count = 0;
        const bool pending = read(fd_, &count, sizeof count) == sizeof count;
        return pending || alwaysReportChanges;
    }

  private:
    int fd_ = -1;
};

// Virtual-key codes the tests hold.
inline constexpr int kShift = 0x10;
inline constexpr int kCtrl = 0x11;
inline constexpr int kAlt = 0x12;
inline constexpr int kTop0 = 0x30;
inline constexpr int kTop1 = 0x31;
inline constexpr int kTop2 = 0x32;
inline constexpr int kKeyA = 0x41;
inline constexpr int kKeypad0 = 0x60;
inline constexpr int kKeypad1 = 0x61;
inline constexpr int kKeypad2 = 0x62;
inline constexpr int kF5 = 0x74;

}  // namespace pointilla::capture::testing
