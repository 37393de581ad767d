#pragma once
// A desktop for tests: it records every call in order and lets the test set
// what the desktop reports (pointer position, held keys, screen size, whether
// opening or starting succeeds).

#include <array>
#include <chrono>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop/desktop.h"
#include "platform/posix/unique_fd.h"

namespace pointilla::platform::testing {

struct DesktopCall {
    enum class Kind { Move, ButtonDown, ButtonUp, Open, StartProgram };
    Kind kind = Kind::Move;
    ScreenPoint point;                       // Move
    std::string target;                      // Open: the document; StartProgram: the program
    std::filesystem::path workingDirectory;  // Open
    friend bool operator==(const DesktopCall&, const DesktopCall&) = default;
};

// Shorthands for expected calls.
DesktopCall moveCall(int x, int y);
DesktopCall buttonDownCall();
DesktopCall buttonUpCall();
DesktopCall openCall(std::string target, std::filesystem::path workingDirectory);
DesktopCall startProgramCall(const std::filesystem::path& program);

// A readable description, for test failure messages ("move(10, 20)").
std::string describe(const DesktopCall& call);
std::string describe(const std::vector<DesktopCall>& calls);

class RecordingDesktop final : public Desktop,
                               private PointerDevice,
                               private ButtonInjector,
                               private KeyboardState,
                               private ScreenInfo,
                               private DocumentOpener,
                               private ProgramStarter,
                               private ClickSource {
  public:
    RecordingDesktop();
    ~RecordingDesktop() override;
    RecordingDesktop(const RecordingDesktop&) = delete;
    RecordingDesktop& operator=(const RecordingDesktop&) = delete;

    PointerDevice& pointer() override { return *this; }
    ButtonInjector& buttons() override { return *this; }
    KeyboardState& keyboard() override { return *this; }
    ScreenInfo& screen() override { return *this; }
    DocumentOpener& opener() override { return *this; }
    ProgramStarter& programs() override { return *this; }
    ClickSource* clicks() override { return clicksAvailable_ ? this : nullptr; }

    // What was asked of the desktop, in order. Key-state and position queries
    // are counted, not recorded.
    const std::vector<DesktopCall>& calls() const { return calls_; }
    void clearCalls() {
        calls_.clear();
        delivered_ = 0;
    }
    // How many of calls() had been flushed to the desktop at the last flush().
    std::size_t deliveredCalls() const { return delivered_; }
    int keyQueries() const { return singleKeyQueries_ + batchedKeyQueries_; }
    int singleKeyQueries() const { return singleKeyQueries_; }    // isDown()
    int batchedKeyQueries() const { return batchedKeyQueries_; }  // queryDown()
    int positionQueries() const { return positionQueries_; }

    // A move also sets the position, as on a real desktop; nullopt makes the
    // position unreadable.
    void setPointerPosition(std::optional<ScreenPoint> position) { position_ = position; }
    // Sets a key's state and, when it changes, makes the change notifier readable.
    void setKeyDown(int virtualKey, bool down);
    void releaseAllKeys();
    // Exactly these keys down, all others up.
    void holdOnly(std::initializer_list<int> virtualKeys);
    // Without a notifier the desktop cannot tell of key changes (changeNotifier()
    // is -1), as some backends cannot; the poller must then poll.
    void setChangeNotifier(bool available) { notifierAvailable_ = available; }
    // A backend that reports a change on every takeChanges(), whatever happened.
    void setAlwaysReportsChanges(bool always) { alwaysReportsChanges_ = always; }
    // A backend that keeps the keyboard after each key event, as X11 does.
    void setHearsKeyEvents(bool hears) { hearsKeyEvents_ = hears; }
    void setScreenSize(ScreenSize size) { screenSize_ = size; }
    void setOpenSucceeds(bool succeeds) { openSucceeds_ = succeeds; }
    void setStartSucceeds(bool succeeds) { startSucceeds_ = succeeds; }
    // The desktop goes away at the n-th move or press from now on (1: the next
    // one): that call and every later one fails with DesktopLost, unrecorded.
    void loseDesktopAtInjection(int n) { injectionsBeforeLoss_ = n - 1; }
    // The person presses the left button at `point`, at `at` on the source's
    // clock: heard only while listening, and then the press notifier is readable.
    void pressLeftButton(ScreenPoint point, std::chrono::milliseconds at);
    bool listening() const { return listening_; }
    // A desktop whose programs cannot hear others' clicks (clicks() is nullptr).
    void setClicksAvailable(bool available) { clicksAvailable_ = available; }
    void setListenRefused(bool refused) { listenRefused_ = refused; }
    void setClickReach(ClickReach reach) { reach_ = reach; }
    // The desktop is found gone when what was held back is sent (flush()).
    void loseDesktopAtFlush() { lostAtFlush_ = true; }
    // The list last given to watchCombinations().
    const std::vector<KeyCombination>& watchedCombinations() const { return watched_; }

  private:
    std::optional<ScreenPoint> position() override;
    Status<DesktopLost> moveTo(ScreenPoint point) override;
    Status<DesktopLost> flush() override;
    Status<DesktopLost> leftButtonDown() override;
    Status<DesktopLost> leftButtonUp() override;
    // Counts one move or press; false once the desktop is lost.
    bool injectionReaches();
    bool isDown(int virtualKey) override;
    void queryDown(std::span<const int> virtualKeys, std::span<bool> down) override;
    int changeNotifier() const override { return notifierAvailable_ ? changeFd_.get() : -1; }
    bool takeChanges() override;
    bool hearsKeyEvents() const override { return hearsKeyEvents_; }
    std::vector<KeysAfterEvent> takeKeyEvents() override;
    void watchCombinations(std::span<const KeyCombination> combinations) override {
        watched_.assign(combinations.begin(), combinations.end());
    }
    ScreenSize primaryScreenSize() override { return screenSize_; }
    Status<ListenRefused> startListening() override;
    void stopListening() override;
    int pressNotifier() const override { return listening_ ? pressFd_.get() : -1; }
    std::vector<LeftButtonPress> takePresses() override;
    ClickReach reach() const override { return reach_; }
    bool open(const std::string& target, const std::filesystem::path& workingDirectory) override;
    bool start(const std::filesystem::path& program) override;

    std::vector<DesktopCall> calls_;
    std::size_t delivered_ = 0;
    bool lostAtFlush_ = false;
    std::optional<ScreenPoint> position_ = ScreenPoint{};
    std::array<bool, 256> keys_{};
    ScreenSize screenSize_{1280, 1024};
    bool openSucceeds_ = true;
    bool startSucceeds_ = true;
    bool notifierAvailable_ = true;
    bool alwaysReportsChanges_ = false;
    bool hearsKeyEvents_ = false;
    std::vector<std::array<bool, 256>> events_;
    int singleKeyQueries_ = 0;
    int batchedKeyQueries_ = 0;
    int positionQueries_ = 0;
    std::optional<int> injectionsBeforeLoss_;
    std::vector<KeyCombination> watched_;
    posix::UniqueFd changeFd_;  // an eventfd
    std::vector<LeftButtonPress> presses_;
    bool listening_ = false;
    bool clicksAvailable_ = true;
    bool listenRefused_ = false;
    ClickReach reach_ = ClickReach::EveryProgram;
    posix::UniqueFd pressFd_;  // an eventfd
};

}  // namespace pointilla::platform::testing
