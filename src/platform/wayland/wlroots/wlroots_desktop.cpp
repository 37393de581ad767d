#include "platform/wayland/wlroots/wlroots_desktop.h"

#include <linux/input-event-codes.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <utility>

#include "platform/posix/detached_process.h"
#include "platform/posix/xdg_document_opener.h"
#include "platform/wayland/common/event_pump.h"
#include "platform/wayland/common/output_layout.h"
#include "platform/wayland/common/registry_globals.h"
#include "platform/wayland/common/wayland_handles.h"
#include "platform/wayland/wlroots/pointer_probe.h"
#include "platform/wayland/wlroots/sway_hot_keys.h"

namespace pointilla::platform::wayland {
namespace {

using Clock = std::chrono::steady_clock;

// A new virtual pointer becomes the seat's pointer only after a moment; a
// move or press sent sooner is lost. Waited for once, before the first one.
constexpr std::chrono::milliseconds kPointerSettling{300};
// How long a probe waits for the pointer to enter its overlay: the answer takes
// about a millisecond; none comes while a button is held down elsewhere.
constexpr std::chrono::milliseconds kProbeWait{40};

std::uint32_t timestampMs() {
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch())
            .count());
}

struct Globals {
    const Global* virtualPointers = nullptr;
    const Global* xdgOutputs = nullptr;
    const Global* compositor = nullptr;
    const Global* shm = nullptr;
    const Global* seat = nullptr;
    const Global* layerShell = nullptr;
};

class WlrootsDesktop final : public Desktop,
                             private PointerDevice,
                             private ButtonInjector,
                             private KeyboardState,
                             private ScreenInfo {
  public:
    WlrootsDesktop(DisplayHandle display, std::unique_ptr<RegistryGlobals> registry,
                   const Globals& found, std::unique_ptr<SwayIpc> ipc)
        : display_(std::move(display)), registry_(std::move(registry)), keys_(std::move(ipc)) {
        wl_registry* r = registry_->registry();
        compositor_.reset(bindGlobal<wl_compositor>(
            r, found.compositor->name, &wl_compositor_interface, found.compositor->version, 4));
        shm_.reset(
            bindGlobal<wl_shm>(r, found.shm->name, &wl_shm_interface, found.shm->version, 1));
        seat_.reset(
            bindGlobal<wl_seat>(r, found.seat->name, &wl_seat_interface, found.seat->version, 5));
        xdgOutputs_.reset(bindGlobal<zxdg_output_manager_v1>(r, found.xdgOutputs->name,
                                                             &zxdg_output_manager_v1_interface,
                                                             found.xdgOutputs->version, 3));
        if (found.layerShell != nullptr) {
            layerShell_.reset(bindGlobal<zwlr_layer_shell_v1>(r, found.layerShell->name,
                                                              &zwlr_layer_shell_v1_interface,
                                                              found.layerShell->version, 3));
        }
        virtualPointers_.reset(bindGlobal<zwlr_virtual_pointer_manager_v1>(
            r, found.virtualPointers->name, &zwlr_virtual_pointer_manager_v1_interface,
            found.virtualPointers->version, 1));

        outputs_ = std::make_unique<OutputLayout>(r, xdgOutputs_.get());
        for (const Global& global : registry_->all()) outputs_->add(global);
        registry_->onAdded = [this](const Global& global) { outputs_->add(global); };
        registry_->onRemoved = [this](std::uint32_t name) { outputs_->remove(name); };

        probe_ = std::make_unique<PointerProbe>(display_.get(), compositor_.get(), shm_.get(),
                                                layerShell_.get());
        static const wl_seat_listener seatListener{&WlrootsDesktop::onCapabilities,
                                                   &WlrootsDesktop::onSeatName};
        wl_seat_add_listener(seat_.get(), &seatListener, this);

        // One virtual pointer for the desktop's whole life: a headless seat has
        // a pointer only while one exists.
        virtualPointer_.reset(zwlr_virtual_pointer_manager_v1_create_virtual_pointer(
            virtualPointers_.get(), seat_.get()));
        pointerCreated_ = Clock::now();
        wl_display_roundtrip(display_.get());  // outputs described, the seat's capabilities
        wl_display_roundtrip(display_.get());  // the seat's pointer made
    }

    ~WlrootsDesktop() override {
        registry_->onAdded = nullptr;
        registry_->onRemoved = nullptr;
        // A compositor drops what a client that hung up had still queued: the
        // last moves and presses are made to arrive before the connection closes.
        wl_display_roundtrip(display_.get());
    }

    PointerDevice& pointer() override { return *this; }
    ButtonInjector& buttons() override { return *this; }
    KeyboardState& keyboard() override { return *this; }
    ScreenInfo& screen() override { return *this; }
    DocumentOpener& opener() override { return opener_; }
    ProgramStarter& programs() override { return programs_; }

  private:
    // --- pointer ---
    // Each probe makes the window under the pointer see it leave and come back,
    // which cancels its tooltips and hover effects. So the pointer is probed
    // only when its position matters: while a watched combination (the capture
    // hot key) is held, and when it is not known at all. Otherwise the answer
    // is the last position probed or moved to.
    std::optional<ScreenPoint> position() override {
        pumpEvents(display_.get(), 0);
        const Layout layout = outputs_->current();
        if (!lastKnown_ || keys_.anyHeld()) {
            if (auto probed = probe_->probe(*outputs_, kProbeWait)) lastKnown_ = probed;
            giveHoverBack();
        }
        if (!lastKnown_) return std::nullopt;
        return layout.fromLayout(*lastKnown_);
    }

    // The compositor gives the pointer back to the window under the overlay
    // only when the pointer moves: a motion by nothing does it.
    void giveHoverBack() {
        zwlr_virtual_pointer_v1_motion(virtualPointer_.get(), timestampMs(), 0, 0);
        zwlr_virtual_pointer_v1_frame(virtualPointer_.get());
        flushAll(display_.get());
    }

    // Moves are written kMovesPerWrite at a time, well within the connection's
    // buffer, rather than with a write and a read each; flush() sends the rest.
    Status<DesktopLost> moveTo(ScreenPoint point) override {
        if (movesHeld_ == 0) pumpEvents(display_.get(), 0);
        if (auto connected = stillConnected(display_.get()); !connected) return connected;
        const Layout layout = outputs_->current();
        if (!layout.known()) return {};
        const LayoutRect& extent = layout.extent;
        // The virtual pointer reaches only the box around the outputs.
        settlePointer();
        ScreenPoint target = layout.toLayout(point);
        target.x = std::clamp(target.x, extent.x, extent.x + extent.width - 1);
        target.y = std::clamp(target.y, extent.y, extent.y + extent.height - 1);
        zwlr_virtual_pointer_v1_motion_absolute(
            virtualPointer_.get(), timestampMs(), static_cast<std::uint32_t>(target.x - extent.x),
            static_cast<std::uint32_t>(target.y - extent.y),
            static_cast<std::uint32_t>(extent.width), static_cast<std::uint32_t>(extent.height));
        zwlr_virtual_pointer_v1_frame(virtualPointer_.get());
        lastKnown_ = target;
        if (++movesHeld_ >= kMovesPerWrite) return flush();
        return stillConnected(display_.get());
    }

    Status<DesktopLost> flush() override {
        movesHeld_ = 0;
        flushAll(display_.get());
        return stillConnected(display_.get());
    }

    // --- buttons ---
    Status<DesktopLost> leftButtonDown() override { return press(WL_POINTER_BUTTON_STATE_PRESSED); }
    Status<DesktopLost> leftButtonUp() override { return press(WL_POINTER_BUTTON_STATE_RELEASED); }
    Status<DesktopLost> press(wl_pointer_button_state state) {
        // A compositor that went away shows when the connection is read.
        pumpEvents(display_.get(), 0);
        if (auto connected = stillConnected(display_.get()); !connected) return connected;
        settlePointer();
        zwlr_virtual_pointer_v1_button(virtualPointer_.get(), timestampMs(), BTN_LEFT, state);
        zwlr_virtual_pointer_v1_frame(virtualPointer_.get());
        movesHeld_ = 0;
        flushAll(display_.get());
        return stillConnected(display_.get());
    }

    void settlePointer() {
        if (pointerSettled_) return;
        std::this_thread::sleep_until(pointerCreated_ + kPointerSettling);
        pointerSettled_ = true;
    }

    // --- keys: only the combinations bound with sway ---
    bool isDown(int virtualKey) override { return keys_.isDown(virtualKey); }
    void queryDown(std::span<const int> virtualKeys, std::span<bool> down) override {
        keys_.queryDown(virtualKeys, down);
    }
    int changeNotifier() const override { return keys_.changeNotifier(); }
    bool takeChanges() override { return keys_.takeChanges(); }
    bool hearsKeyEvents() const override { return changeNotifier() >= 0; }
    std::vector<KeysAfterEvent> takeKeyEvents() override { return keys_.takeKeyEvents(); }
    void watchCombinations(std::span<const KeyCombination> combinations) override {
        keys_.watch(combinations);
    }

    // --- screen ---
    ScreenSize primaryScreenSize() override {
        pumpEvents(display_.get(), 0);
        const Layout layout = outputs_->current();
        return {layout.primary.width, layout.primary.height};
    }

    static void onCapabilities(void* data, wl_seat* seat, std::uint32_t capabilities) {
        auto* self = static_cast<WlrootsDesktop*>(data);
        const bool hasPointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
        if (hasPointer && !self->seatPointer_) {
            self->seatPointer_.reset(wl_seat_get_pointer(seat));
            self->probe_->setPointer(self->seatPointer_.get());
        } else if (!hasPointer && self->seatPointer_) {
            self->probe_->setPointer(nullptr);
            self->seatPointer_.reset();
        }
    }
    static void onSeatName(void* /*data*/, wl_seat* /*seat*/, const char* /*name*/) {}

    // Declared first: the connection closes after every object made on it.
    DisplayHandle display_;
    std::unique_ptr<RegistryGlobals> registry_;
    CompositorHandle compositor_;
    ShmHandle shm_;
    SeatHandle seat_;
    XdgOutputManagerHandle xdgOutputs_;
    LayerShellHandle layerShell_;
    VirtualPointerManagerHandle virtualPointers_;
    VirtualPointerHandle virtualPointer_;
    PointerHandle seatPointer_;
    std::unique_ptr<OutputLayout> outputs_;
    std::unique_ptr<PointerProbe> probe_;
    SwayHotKeys keys_;
    Clock::time_point pointerCreated_;
    bool pointerSettled_ = false;
    static constexpr int kMovesPerWrite = 64;
    int movesHeld_ = 0;                     // written since the last flush
    std::optional<ScreenPoint> lastKnown_;  // layout coordinates
    posix::XdgDocumentOpener opener_;
    posix::DirectProgramStarter programs_;
};

}  // namespace

Result<std::unique_ptr<Desktop>, DesktopOpenError> openWlrootsDesktop() {
    using Kind = DesktopOpenError::Kind;
    const char* socket = std::getenv("WAYLAND_DISPLAY");
    const std::string name = socket != nullptr && *socket != '\0' ? socket : "wayland-0";
    DisplayHandle display(wl_display_connect(nullptr));
    if (!display) return fail(DesktopOpenError{Kind::Unreachable, name});
    auto registry = RegistryGlobals::read(display.get());
    if (!registry) return fail(DesktopOpenError{Kind::Unreachable, name});

    const char* swaySocket = std::getenv("SWAYSOCK");
    const bool isSway = swaySocket != nullptr && *swaySocket != '\0';
    const std::string compositor = isSway ? "sway" : name;
    Globals found;
    found.virtualPointers = registry->find(zwlr_virtual_pointer_manager_v1_interface.name);
    found.xdgOutputs = registry->find(zxdg_output_manager_v1_interface.name);
    found.compositor = registry->find(wl_compositor_interface.name);
    found.shm = registry->find(wl_shm_interface.name);
    found.seat = registry->find(wl_seat_interface.name);
    found.layerShell = registry->find(zwlr_layer_shell_v1_interface.name);
    for (const auto& [global, what] :
         {std::pair{found.virtualPointers, zwlr_virtual_pointer_manager_v1_interface.name},
          std::pair{found.xdgOutputs, zxdg_output_manager_v1_interface.name},
          std::pair{found.compositor, wl_compositor_interface.name},
          std::pair{found.shm, wl_shm_interface.name},
          std::pair{found.seat, wl_seat_interface.name}}) {
        if (global == nullptr)
            return fail(DesktopOpenError::compositorLacks(name, compositor, what));
    }

    std::unique_ptr<SwayIpc> ipc;
    if (isSway) {
        auto connected = SwayIpc::connect(swaySocket);
        if (connected) ipc = std::move(connected).value();
    }
    return std::unique_ptr<Desktop>(std::make_unique<WlrootsDesktop>(
        std::move(display), std::move(registry), found, std::move(ipc)));
}

}  // namespace pointilla::platform::wayland
