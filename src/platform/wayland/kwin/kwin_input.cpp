#include "platform/wayland/kwin/kwin_input.h"

#include <poll.h>
#include <sys/mman.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "fake-input-client-protocol.h"
#include "kde-output-order-v1-client-protocol.h"
#include "messages/desktop_messages.h"
#include "platform/posix/unique_fd.h"
#include "platform/wayland/common/event_pump.h"
#include "xdg-output-unstable-v1-client-protocol.h"

namespace pointilla::platform::wayland::kwin {
namespace {

constexpr std::uint32_t kLeftButton = 272;  // BTN_LEFT
constexpr std::uint32_t kAbsoluteMotionVersion = 3;
constexpr std::uint32_t kKeyboardVersion = 4;
// A compositor that takes nothing from us for this long is not coming back.
constexpr int kFlushTimeoutMs = 5000;

std::string socketName() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    return name != nullptr && *name != '\0' ? name : "wayland-0";
}

}  // namespace

// One wl_output with what is known of it. Logical geometry comes from
// xdg-output; without it, from the output's own position and current mode.
struct KwinInput::Output {
    std::uint32_t globalName = 0;
    wl_output* output = nullptr;
    zxdg_output_v1* xdgOutput = nullptr;
    std::string connector;  // "Virtual-1": the name KWin's output order uses
    ScreenPoint position;
    ScreenSize size;
    bool haveLogical = false;

    Output() = default;
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;
    ~Output() {
        if (xdgOutput != nullptr) zxdg_output_v1_destroy(xdgOutput);
        if (output != nullptr) wl_output_destroy(output);
    }
};

namespace {

using Output = KwinInput::Output;

void onGeometry(void* data, wl_output*, int32_t x, int32_t y, int32_t, int32_t, int32_t,
                const char*, const char*, int32_t) {
    auto* output = static_cast<Output*>(data);
    if (!output->haveLogical) output->position = {x, y};
}
void onMode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t) {
    auto* output = static_cast<Output*>(data);
    if (!output->haveLogical && (flags & WL_OUTPUT_MODE_CURRENT) != 0) {
        output->size = {width, height};
    }
}
void onOutputDone(void*, wl_output*) {}
void onScale(void*, wl_output*, int32_t) {}
void onOutputName(void* data, wl_output*, const char* name) {
    static_cast<Output*>(data)->connector = name;
}
void onOutputDescription(void*, wl_output*, const char*) {}
const wl_output_listener kOutputListener = {onGeometry, onMode,       onOutputDone,
                                            onScale,    onOutputName, onOutputDescription};

void onLogicalPosition(void* data, zxdg_output_v1*, int32_t x, int32_t y) {
    auto* output = static_cast<Output*>(data);
    output->position = {x, y};
    output->haveLogical = true;
}
void onLogicalSize(void* data, zxdg_output_v1*, int32_t width, int32_t height) {
    auto* output = static_cast<Output*>(data);
    output->size = {width, height};
    output->haveLogical = true;
}
void onXdgDone(void*, zxdg_output_v1*) {}
void onXdgName(void* data, zxdg_output_v1*, const char* name) {
    auto* output = static_cast<Output*>(data);
    if (output->connector.empty()) output->connector = name;
}
void onXdgDescription(void*, zxdg_output_v1*, const char*) {}
const zxdg_output_v1_listener kXdgOutputListener = {onLogicalPosition, onLogicalSize, onXdgDone,
                                                    onXdgName, onXdgDescription};

const kde_output_order_v1_listener kOrderListener = {
    [](void* data, kde_output_order_v1* order, const char* name) {
        KwinInput::onOrderOutput(data, order, name);
    },
    [](void* data, kde_output_order_v1* order) { KwinInput::onOrderDone(data, order); }};

void onSeatName(void*, wl_seat*, const char*) {}
const wl_seat_listener kSeatListener = {KwinInput::onSeatCapabilities, onSeatName};

void onEnter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {}
void onLeave(void*, wl_keyboard*, uint32_t, wl_surface*) {}
void onKey(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t) {}
void onModifiers(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}
void onRepeatInfo(void*, wl_keyboard*, int32_t, int32_t) {}
const wl_keyboard_listener kKeyboardListener = {KwinInput::onKeymap, onEnter,     onLeave, onKey,
                                                onModifiers,         onRepeatInfo};

}  // namespace

void KwinInput::onSeatCapabilities(void* data, wl_seat* seat, std::uint32_t capabilities) {
    auto* self = static_cast<KwinInput*>(data);
    if ((capabilities & WL_SEAT_CAPABILITY_KEYBOARD) == 0 || self->keyboard_ != nullptr) return;
    self->keyboard_ = wl_seat_get_keyboard(seat);
    wl_keyboard_add_listener(self->keyboard_, &kKeyboardListener, self);
}

void KwinInput::onKeymap(void* data, wl_keyboard*, std::uint32_t format, int fd,
                         std::uint32_t size) {
    auto* self = static_cast<KwinInput*>(data);
    const posix::UniqueFd keymapFile(fd);
    if (format != WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 || size == 0) return;
    void* text = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (text == MAP_FAILED) return;
    // The text ends with a NUL that is counted in the size.
    auto layout = KeyboardLayout::fromKeymap({static_cast<const char*>(text), size - 1});
    ::munmap(text, size);
    if (layout) self->layout_ = std::move(layout);
}

void KwinInput::onOrderOutput(void* data, kde_output_order_v1*, const char* name) {
    static_cast<KwinInput*>(data)->orderBeingRead_.emplace_back(name);
}

void KwinInput::onOrderDone(void* data, kde_output_order_v1*) {
    auto* self = static_cast<KwinInput*>(data);
    self->order_ = std::exchange(self->orderBeingRead_, {});
}

void KwinInput::onGlobal(void* data, wl_registry* registry, std::uint32_t name,
                         const char* interface, std::uint32_t version) {
    auto* self = static_cast<KwinInput*>(data);
    if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0) {
        if (self->fakeInput_ != nullptr) return;
        self->fakeInputVersion_ = std::min(version, kKeyboardVersion);
        self->fakeInput_ = static_cast<org_kde_kwin_fake_input*>(wl_registry_bind(
            registry, name, &org_kde_kwin_fake_input_interface, self->fakeInputVersion_));
    } else if (std::strcmp(interface, wl_output_interface.name) == 0) {
        self->addOutput(name, version);
    } else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0) {
        if (self->xdgOutputs_ != nullptr) return;
        self->xdgOutputs_ = static_cast<zxdg_output_manager_v1*>(wl_registry_bind(
            registry, name, &zxdg_output_manager_v1_interface, std::min(version, 3U)));
        for (auto& output : self->outputs_) self->watchLogicalGeometry(*output);
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0) {
        if (self->seat_ != nullptr) return;
        self->seat_ = static_cast<wl_seat*>(
            wl_registry_bind(registry, name, &wl_seat_interface, std::min(version, 4U)));
        wl_seat_add_listener(self->seat_, &kSeatListener, self);
    } else if (std::strcmp(interface, kde_output_order_v1_interface.name) == 0) {
        if (self->outputOrder_ != nullptr) return;
        self->outputOrder_ = static_cast<kde_output_order_v1*>(
            wl_registry_bind(registry, name, &kde_output_order_v1_interface, 1));
        kde_output_order_v1_add_listener(self->outputOrder_, &kOrderListener, self);
    }
}

void KwinInput::onGlobalRemove(void* data, wl_registry*, std::uint32_t name) {
    auto* self = static_cast<KwinInput*>(data);
    std::erase_if(self->outputs_,
                  [name](const auto& output) { return output->globalName == name; });
}

void KwinInput::addOutput(std::uint32_t name, std::uint32_t version) {
    auto output = std::make_unique<Output>();
    output->globalName = name;
    output->output = static_cast<wl_output*>(
        wl_registry_bind(registry_.get(), name, &wl_output_interface, std::min(version, 4U)));
    wl_output_add_listener(output->output, &kOutputListener, output.get());
    watchLogicalGeometry(*output);
    outputs_.push_back(std::move(output));
}

void KwinInput::watchLogicalGeometry(Output& output) {
    if (xdgOutputs_ == nullptr || output.xdgOutput != nullptr) return;
    output.xdgOutput = zxdg_output_manager_v1_get_xdg_output(xdgOutputs_, output.output);
    zxdg_output_v1_add_listener(output.xdgOutput, &kXdgOutputListener, &output);
}

Result<std::unique_ptr<KwinInput>, DesktopOpenError> KwinInput::connect() {
    const std::string socket = socketName();
    std::unique_ptr<KwinInput> input(new KwinInput());
    input->display_.reset(wl_display_connect(nullptr));
    if (!input->display_) {
        return fail(DesktopOpenError{DesktopOpenError::Kind::Unreachable, socket});
    }
    input->registry_.reset(wl_display_get_registry(input->display_.get()));
    static const wl_registry_listener kRegistryListener = {onGlobal, onGlobalRemove};
    wl_registry_add_listener(input->registry_.get(), &kRegistryListener, input.get());
    // The globals, the events of the objects bound from them, and the keymap
    // of the keyboard asked for on the seat's capabilities.
    if (wl_display_roundtrip(input->display_.get()) < 0 ||
        wl_display_roundtrip(input->display_.get()) < 0 ||
        wl_display_roundtrip(input->display_.get()) < 0) {
        return fail(DesktopOpenError{DesktopOpenError::Kind::Unreachable, socket});
    }
    if (input->fakeInput_ == nullptr) {
        return fail(DesktopOpenError::compositorLacks(socket, "KWin", "org_kde_kwin_fake_input"));
    }
    if (input->fakeInputVersion_ < kAbsoluteMotionVersion) {
        return fail(DesktopOpenError::compositorLacks(
            socket, "KWin", "org_kde_kwin_fake_input.pointer_motion_absolute"));
    }
    org_kde_kwin_fake_input_authenticate(input->fakeInput_, "Pointilla",
                                         messages::fakeInputPurpose().c_str());
    wl_display_flush(input->display_.get());
    return input;
}

KwinInput::~KwinInput() {
    // A compositor drops what a client that hung up had still queued: the
    // last moves and presses are made to arrive before the connection closes.
    if (display_) wl_display_roundtrip(display_.get());
    outputs_.clear();
    if (outputOrder_ != nullptr) kde_output_order_v1_destroy(outputOrder_);
    if (xdgOutputs_ != nullptr) zxdg_output_manager_v1_destroy(xdgOutputs_);
    if (fakeInput_ != nullptr) org_kde_kwin_fake_input_destroy(fakeInput_);
    if (keyboard_ != nullptr) {
        if (wl_keyboard_get_version(keyboard_) >= WL_KEYBOARD_RELEASE_SINCE_VERSION) {
            wl_keyboard_release(keyboard_);
        } else {
            wl_keyboard_destroy(keyboard_);
        }
    }
    if (seat_ != nullptr) wl_seat_destroy(seat_);
    registry_.reset();
    if (display_) wl_display_flush(display_.get());
}

// KWin gone shows when the connection is read, which readPending() does.
// Moves are sent kMovesPerWrite at a time, well within the connection's
// buffer, rather than with a write and a read each; flush() sends the rest.
Status<DesktopLost> KwinInput::moveTo(ScreenPoint global) {
    org_kde_kwin_fake_input_pointer_motion_absolute(fakeInput_, wl_fixed_from_int(global.x),
                                                    wl_fixed_from_int(global.y));
    movedSincePress_ = true;
    if (++movesHeld_ >= kMovesPerWrite) return flush();
    return stillConnected(display_.get());
}

Status<DesktopLost> KwinInput::flush() {
    movesHeld_ = 0;
    readPending();
    return stillConnected(display_.get());
}

// A press right after a burst of moves was now and then lost: KWin is given
// the moves, and answers for them, before the press that follows them.
Status<DesktopLost> KwinInput::pressLeft(bool down) {
    if (down && movedSincePress_ && !sync()) return stillConnected(display_.get());
    movedSincePress_ = false;
    org_kde_kwin_fake_input_button(
        fakeInput_, kLeftButton,
        down ? WL_POINTER_BUTTON_STATE_PRESSED : WL_POINTER_BUTTON_STATE_RELEASED);
    movesHeld_ = 0;
    readPending();
    return stillConnected(display_.get());
}

void KwinInput::pressKey(std::uint32_t linuxKeyCode, bool down) {
    if (!canPressKeys()) return;
    org_kde_kwin_fake_input_keyboard_key(
        fakeInput_, linuxKeyCode,
        down ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
    readPending();
}

// Sends what is queued, waiting while the socket is full: requests made
// faster than KWin reads them (thousands of moves) would otherwise overflow
// the connection's buffer, which breaks the connection for good.
void KwinInput::flushAll() {
    wl_display* display = display_.get();
    while (wl_display_flush(display) < 0 && errno == EAGAIN) {
        pollfd fd{wl_display_get_fd(display), POLLOUT, 0};
        if (::poll(&fd, 1, kFlushTimeoutMs) <= 0) return;
    }
}

// Sends what is queued and takes in whatever events arrived, without waiting
// for any: output changes are seen, and KWin's buffer for us never fills.
void KwinInput::readPending() {
    wl_display* display = display_.get();
    if (wl_display_get_error(display) != 0) return;
    flushAll();
    while (wl_display_prepare_read(display) != 0) wl_display_dispatch_pending(display);
    pollfd fd{wl_display_get_fd(display), POLLIN, 0};
    if (::poll(&fd, 1, 0) > 0) {
        wl_display_read_events(display);
    } else {
        wl_display_cancel_read(display);
    }
    wl_display_dispatch_pending(display);
}

bool KwinInput::sync() { return wl_display_roundtrip(display_.get()) >= 0; }

bool KwinInput::broken() const { return wl_display_get_error(display_.get()) != 0; }

const KwinInput::Output* KwinInput::primary() {
    readPending();
    if (outputs_.empty()) return nullptr;
    if (!order_.empty()) {
        for (const auto& output : outputs_) {
            if (output->connector == order_.front()) return output.get();
        }
    }
    return outputs_.front().get();
}

ScreenPoint KwinInput::primaryOrigin() {
    const Output* output = primary();
    return output != nullptr ? output->position : ScreenPoint{};
}

ScreenSize KwinInput::primarySize() {
    const Output* output = primary();
    return output != nullptr ? output->size : ScreenSize{};
}

}  // namespace pointilla::platform::wayland::kwin
