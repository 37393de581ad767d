#include "platform/x11/raw_key_listener.h"

#include <X11/extensions/XInput2.h>

#include <array>
#include <utility>

#include "platform/x11/raw_event_connection.h"

namespace pointilla::platform::x11 {

bool RawKeyListener::open(const std::string& displayName) {
    auto connection = openRawEvents(displayName, {XI_RawKeyPress, XI_RawKeyRelease}, XIAllDevices);
    if (!connection) return false;
    Display* display = connection->display.get();
    // Keys already held when listening begins count as held.
    XQueryKeymap(display, mirror_.data());
    for (std::size_t code = 0; code < held_.size(); ++code) {
        held_[code] = ((static_cast<unsigned char>(mirror_[code / 8]) >> (code % 8)) & 1U) != 0;
    }
    watch_.watch(display);
    display_ = std::move(connection->display);
    xiOpcode_ = connection->xiOpcode;
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
