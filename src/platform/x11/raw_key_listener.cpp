#include "platform/x11/raw_key_listener.h"

#include <X11/extensions/XInput2.h>
#include <fcntl.h>

#include <array>
#include <utility>

namespace pointilla::platform::x11 {

bool RawKeyListener::open(const std::string& displayName) {
    DisplayHandle display(XOpenDisplay(displayName.c_str()));
    if (!display) return false;
    int event = 0;
    int error = 0;
    int opcode = 0;
    if (!XQueryExtension(display.get(), "XInputExtension", &opcode, &event, &error)) return false;
    // Raw events reach the root window whatever the grabs from 2.1 on.
    int major = 2;
    int minor = 2;
    if (XIQueryVersion(display.get(), &major, &minor) != Success || major < 2 ||
        (major == 2 && minor < 1)) {
        return false;
    }
    std::array<unsigned char, XIMaskLen(XI_LASTEVENT)> bits{};
    XISetMask(bits.data(), XI_RawKeyPress);
    XISetMask(bits.data(), XI_RawKeyRelease);
    XIEventMask mask{};
    mask.deviceid = XIAllDevices;
    mask.mask_len = static_cast<int>(bits.size());
    mask.mask = bits.data();
    XISelectEvents(display.get(), DefaultRootWindow(display.get()), &mask, 1);
    XSync(display.get(), False);
    // Keys already held when listening begins count as held.
    XQueryKeymap(display.get(), mirror_.data());
    for (std::size_t code = 0; code < held_.size(); ++code) {
        held_[code] = ((static_cast<unsigned char>(mirror_[code / 8]) >> (code % 8)) & 1U) != 0;
    }
    ::fcntl(ConnectionNumber(display.get()), F_SETFD, FD_CLOEXEC);
    watch_.watch(display.get());
    display_ = std::move(display);
    xiOpcode_ = opcode;
    return true;
}

int RawKeyListener::fd() const { return display_ ? ConnectionNumber(display_.get()) : -1; }

bool RawKeyListener::drain() {
    if (!display_) return true;
    if (watch_.broken()) return false;  // the desktop's own calls say that it is gone
    BrokenConnectionWatch::keepHandling();
    bool changed = false;
    while (!watch_.broken() && XPending(display_.get()) > 0) {
        XEvent event;
        XNextEvent(display_.get(), &event);
        if (event.type == GenericEvent && event.xcookie.extension == xiOpcode_) {
            noteKeyEvent(event.xcookie);
            changed = true;
        }
        if (event.type == MappingNotify) changed = true;
    }
    return changed;
}

void RawKeyListener::noteKeyEvent(XGenericEventCookie& cookie) {
    if (!XGetEventData(display_.get(), &cookie)) return;
    const auto* raw = static_cast<const XIRawEvent*>(cookie.data);
    const auto code = static_cast<std::size_t>(raw->detail);
    if (code > 0 && code < held_.size()) {
        const bool down = cookie.evtype == XI_RawKeyPress;
        held_[code] = down;
        if (down) pressed_[code] = true;
        auto& byte = mirror_.at(code / 8);
        const auto bit = static_cast<char>(1U << (code % 8));
        byte = static_cast<char>(down ? (byte | bit) : (byte & ~bit));
        // Bounded: a poller that never asks keeps only the latest events.
        if (trail_.size() >= kTrailLimit) trail_.erase(trail_.begin());
        trail_.push_back(mirror_);
    }
    XFreeEventData(display_.get(), &cookie);
}

bool RawKeyListener::takePress(std::span<const KeyCode> codes) {
    drain();
    bool seen = false;
    for (const KeyCode code : codes) {
        seen = seen || held_[code] || pressed_[code];
        pressed_[code] = false;
    }
    return seen;
}

std::vector<RawKeyListener::Keymap> RawKeyListener::takeKeymaps() {
    return std::exchange(trail_, {});
}

}  // namespace pointilla::platform::x11
