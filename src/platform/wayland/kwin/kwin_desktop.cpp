#include "platform/wayland/kwin/kwin_desktop.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <utility>

#include "platform/posix/xdg_document_opener.h"
#include "platform/wayland/kwin/bus_calls.h"
#include "platform/wayland/kwin/cursor_feed.h"
#include "platform/wayland/kwin/global_shortcuts.h"
#include "platform/wayland/kwin/kwin_input.h"
#include "platform/wayland/kwin/shortcut_keys.h"

namespace pointilla::platform::wayland {
namespace {

using kwin::CursorFeed;
using kwin::GlobalShortcuts;
using kwin::KwinInput;

// How long a position read just after a move waits for KWin's report of it.
constexpr std::chrono::milliseconds kMoveReportWait{200};

// Our shortcuts are kept under the program's own name in KDE's settings.
std::string componentName() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string("pointilla") : self.filename().string();
}

class KwinDesktop final : public Desktop,
                          private PointerDevice,
                          private ButtonInjector,
                          private KeyboardState,
                          private ScreenInfo {
  public:
    KwinDesktop(std::unique_ptr<KwinInput> input, BusHandle bus)
        : input_(std::move(input)), bus_(std::move(bus)) {
        if (bus_) {
            auto feed = CursorFeed::start(bus_.get());
            if (feed) cursor_ = std::move(feed).value();
            KwinInput* wayland = input_.get();
            shortcuts_.emplace(bus_.get(), componentName(), [wayland](const KeyCombination& keys) {
                return kwin::shortcutCodes(keys, wayland->layout());
            });
        }
    }
    ~KwinDesktop() override {
        // The script and shortcuts go while the bus is still there.
        shortcuts_.reset();
        cursor_.reset();
    }
    KwinDesktop(const KwinDesktop&) = delete;
    KwinDesktop& operator=(const KwinDesktop&) = delete;

    PointerDevice& pointer() override { return *this; }
    ButtonInjector& buttons() override { return *this; }
    KeyboardState& keyboard() override { return *this; }
    ScreenInfo& screen() override { return *this; }
    DocumentOpener& opener() override { return opener_; }
    ProgramStarter& programs() override { return programs_; }

  private:
    // --- pointer ---
    std::optional<ScreenPoint> position() override {
        if (!cursor_ || input_->broken()) return std::nullopt;
        if (movedSinceReport_) awaitMoveReport();
        kwin::handlePending(bus_.get());
        const auto global = cursor_->latest();
        if (!global) return std::nullopt;
        const ScreenPoint origin = input_->primaryOrigin();
        return ScreenPoint{global->x - origin.x, global->y - origin.y};
    }

    Status<DesktopLost> moveTo(ScreenPoint point) override {
        const ScreenPoint origin = input_->primaryOrigin();
        target_ = ScreenPoint{origin.x + point.x, origin.y + point.y};
        movedSinceReport_ = cursor_ != nullptr;
        return input_->moveTo(target_);
    }
    Status<DesktopLost> flush() override { return input_->flush(); }

    // KWin reports a move once it has handled it; a read right after moves
    // waits for the report of the last one. Reports of earlier moves may still
    // be queued, so it waits for the position itself; one KWin kept elsewhere
    // (beyond the screen's edge) costs the whole wait.
    void awaitMoveReport() {
        movedSinceReport_ = false;
        input_->sync();
        const CursorFeed& feed = *cursor_;
        const ScreenPoint target = target_;
        kwin::handleUntil(
            bus_.get(), [&feed, target] { return feed.latest() == target; }, kMoveReportWait);
    }

    // --- buttons ---
    Status<DesktopLost> leftButtonDown() override { return input_->pressLeft(true); }
    Status<DesktopLost> leftButtonUp() override { return input_->pressLeft(false); }

    // --- keys: only those of the watched combinations, while KWin says they are held ---
    bool isDown(int virtualKey) override {
        if (!shortcuts_) return false;
        kwin::handlePending(bus_.get());
        return shortcuts_->isDown(virtualKey);
    }

    // KWin reports a tap's press and release back to back: the press is kept.
    bool takePress(int virtualKey) override {
        if (!shortcuts_) return false;
        kwin::handlePending(bus_.get());
        return shortcuts_->takePress(virtualKey);
    }

    void queryDown(std::span<const int> virtualKeys, std::span<bool> down) override {
        if (bus_) kwin::handlePending(bus_.get());
        for (std::size_t i = 0; i < virtualKeys.size() && i < down.size(); ++i) {
            down[i] = shortcuts_ && shortcuts_->isDown(virtualKeys[i]);
        }
    }

    int changeNotifier() const override { return bus_ ? sd_bus_get_fd(bus_.get()) : -1; }

    bool takeChanges() override {
        if (!shortcuts_) return false;
        kwin::handlePending(bus_.get());
        return shortcuts_->takeChanged();
    }

    bool hearsKeyEvents() const override { return shortcuts_.has_value(); }
    // Only what the key queries have read too: a press replayed before a query
    // showed it held would count once as a tap and again as a hold.
    std::vector<KeysAfterEvent> takeKeyEvents() override {
        return shortcuts_ ? shortcuts_->takeKeyEvents() : std::vector<KeysAfterEvent>{};
    }

    void watchCombinations(std::span<const KeyCombination> combinations) override {
        if (shortcuts_) shortcuts_->watch(combinations);
    }

    // --- screen ---
    ScreenSize primaryScreenSize() override { return input_->primarySize(); }

    std::unique_ptr<KwinInput> input_;
    BusHandle bus_;
    std::unique_ptr<CursorFeed> cursor_;
    std::optional<GlobalShortcuts> shortcuts_;
    ScreenPoint target_;
    bool movedSinceReport_ = false;
    posix::XdgDocumentOpener opener_;
    posix::DirectProgramStarter programs_;
};

}  // namespace

Result<std::unique_ptr<Desktop>, DesktopOpenError> openKwinDesktop() {
    auto input = KwinInput::connect();
    if (!input) return fail(input.error());
    // Without the session bus, moves and clicks still work; the position and
    // the hot key are then unknown.
    sd_bus* raw = nullptr;
    BusHandle bus(sd_bus_open_user(&raw) >= 0 ? raw : nullptr);
    return std::unique_ptr<Desktop>(
        std::make_unique<KwinDesktop>(std::move(input).value(), std::move(bus)));
}

}  // namespace pointilla::platform::wayland
