#include "platform/testing/recording_desktop.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>
#include <stdexcept>
#include <utility>

namespace pointilla::platform::testing {
namespace {

bool validKey(int virtualKey) { return virtualKey >= 0 && virtualKey < 256; }

}  // namespace

DesktopCall moveCall(int x, int y) {
    DesktopCall call;
    call.kind = DesktopCall::Kind::Move;
    call.point = {x, y};
    return call;
}

DesktopCall buttonDownCall() {
    DesktopCall call;
    call.kind = DesktopCall::Kind::ButtonDown;
    return call;
}

DesktopCall buttonUpCall() {
    DesktopCall call;
    call.kind = DesktopCall::Kind::ButtonUp;
    return call;
}

DesktopCall openCall(std::string target, std::filesystem::path workingDirectory) {
    DesktopCall call;
    call.kind = DesktopCall::Kind::Open;
    call.target = std::move(target);
    call.workingDirectory = std::move(workingDirectory);
    return call;
}

DesktopCall startProgramCall(const std::filesystem::path& program) {
    DesktopCall call;
    call.kind = DesktopCall::Kind::StartProgram;
    call.target = program.string();
    return call;
}

std::string describe(const DesktopCall& call) {
    switch (call.kind) {
        case DesktopCall::Kind::Move:
            return "move(" + std::to_string(call.point.x) + ", " + std::to_string(call.point.y) +
                   ")";
        case DesktopCall::Kind::ButtonDown:
            return "down";
        case DesktopCall::Kind::ButtonUp:
            return "up";
        case DesktopCall::Kind::Open:
            return "open(\"" + call.target + "\" in \"" + call.workingDirectory.string() + "\")";
        case DesktopCall::Kind::StartProgram:
            return "start(\"" + call.target + "\")";
    }
    return "?";
}

std::string describe(const std::vector<DesktopCall>& calls) {
    std::string out;
    for (const auto& call : calls) {
        if (!out.empty()) out += ' ';
        out += describe(call);
    }
    return out.empty() ? "(no calls)" : out;
}

RecordingDesktop::RecordingDesktop()
    : changeFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)),
      pressFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (!changeFd_ || !pressFd_) throw std::runtime_error("RecordingDesktop: eventfd failed");
}

RecordingDesktop::~RecordingDesktop() = default;

void RecordingDesktop::setKeyDown(int virtualKey, bool down) {
    if (!validKey(virtualKey)) throw std::out_of_range("RecordingDesktop::setKeyDown");
    auto& key = keys_[static_cast<std::size_t>(virtualKey)];
    if (key == down) return;
    key = down;
    if (hearsKeyEvents_) events_.push_back(keys_);
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(changeFd_.get(), &one, sizeof one);
}

void RecordingDesktop::releaseAllKeys() {
    for (int vk = 0; vk < 256; ++vk) setKeyDown(vk, false);
}

void RecordingDesktop::holdOnly(std::initializer_list<int> virtualKeys) {
    releaseAllKeys();
    for (const int vk : virtualKeys) setKeyDown(vk, true);
}

std::optional<ScreenPoint> RecordingDesktop::position() {
    ++positionQueries_;
    return position_;
}

bool RecordingDesktop::injectionReaches() {
    if (!injectionsBeforeLoss_) return true;
    if (*injectionsBeforeLoss_ <= 0) return false;
    --*injectionsBeforeLoss_;
    return true;
}

Status<DesktopLost> RecordingDesktop::moveTo(ScreenPoint point) {
    if (!injectionReaches()) return fail(DesktopLost{"recording desktop: lost on purpose"});
    calls_.push_back(moveCall(point.x, point.y));
    position_ = point;
    return {};
}

Status<DesktopLost> RecordingDesktop::flush() {
    if (lostAtFlush_) return fail(DesktopLost{"recording desktop: lost on purpose"});
    delivered_ = calls_.size();
    return {};
}

Status<DesktopLost> RecordingDesktop::leftButtonDown() {
    if (!injectionReaches()) return fail(DesktopLost{"recording desktop: lost on purpose"});
    calls_.push_back(buttonDownCall());
    return {};
}

Status<DesktopLost> RecordingDesktop::leftButtonUp() {
    if (!injectionReaches()) return fail(DesktopLost{"recording desktop: lost on purpose"});
    calls_.push_back(buttonUpCall());
    return {};
}

bool RecordingDesktop::isDown(int virtualKey) {
    ++singleKeyQueries_;
    return validKey(virtualKey) && keys_[static_cast<std::size_t>(virtualKey)];
}

void RecordingDesktop::queryDown(std::span<const int> virtualKeys, std::span<bool> down) {
    ++batchedKeyQueries_;
    for (std::size_t i = 0; i < virtualKeys.size() && i < down.size(); ++i) {
        down[i] = validKey(virtualKeys[i]) && keys_[static_cast<std::size_t>(virtualKeys[i])];
    }
}

bool RecordingDesktop::takeChanges() {
    if (!notifierAvailable_) return true;
    std::uint64_t count = 0;
    const bool pending = ::read(changeFd_.get(), &count, sizeof count) == sizeof count && count > 0;
    return pending || alwaysReportsChanges_;
}

void RecordingDesktop::pressLeftButton(ScreenPoint point, std::chrono::milliseconds at) {
    if (!listening_) return;
    presses_.push_back({point, at});
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(pressFd_.get(), &one, sizeof one);
}

Status<ListenRefused> RecordingDesktop::startListening() {
    if (listenRefused_) return fail(ListenRefused{"recording desktop: refused on purpose"});
    listening_ = true;
    return {};
}

void RecordingDesktop::stopListening() {
    listening_ = false;
    presses_.clear();
}

std::vector<LeftButtonPress> RecordingDesktop::takePresses() {
    std::uint64_t count = 0;
    [[maybe_unused]] const auto read = ::read(pressFd_.get(), &count, sizeof count);
    return std::exchange(presses_, {});
}

std::vector<KeyboardState::KeysAfterEvent> RecordingDesktop::takeKeyEvents() {
    std::vector<KeysAfterEvent> events;
    for (const auto& keys : std::exchange(events_, {})) {
        events.emplace_back(
            [keys](int vk) { return validKey(vk) && keys[static_cast<std::size_t>(vk)]; });
    }
    return events;
}

bool RecordingDesktop::open(const std::string& target,
                            const std::filesystem::path& workingDirectory) {
    calls_.push_back(openCall(target, workingDirectory));
    return openSucceeds_;
}

bool RecordingDesktop::start(const std::filesystem::path& program) {
    calls_.push_back(startProgramCall(program));
    return startSucceeds_;
}

}  // namespace pointilla::platform::testing
