#include "platform/x11/raw_button_listener.h"

#include <X11/extensions/XInput2.h>

#include <array>

#include "platform/x11/raw_event_connection.h"

namespace pointilla::platform::x11 {

bool RawButtonListener::open(const std::string& displayName) {
    // The master devices only: each press once, whichever device made it.
    auto connection = openRawEvents(displayName, {XI_RawButtonPress}, XIAllMasterDevices);
    if (!connection) return false;
    watch_.watch(connection->display.get());
    display_ = std::move(connection->display);
    xiOpcode_ = connection->xiOpcode;
    readPointerMapping();
    return true;
}

int RawButtonListener::fd() const { return display_ ? ConnectionNumber(display_.get()) : -1; }

void RawButtonListener::readPointerMapping() {
    std::array<unsigned char, 256> map{};
    const int count = XGetPointerMapping(display_.get(), map.data(), static_cast<int>(map.size()));
    mapping_.assign(map.begin(), map.begin() + (count > 0 ? count : 0));
}

bool RawButtonListener::isLeft(int physicalButton) const {
    const auto index = static_cast<std::size_t>(physicalButton - 1);
    if (physicalButton < 1 || index >= mapping_.size()) return physicalButton == 1;
    return mapping_[index] == 1;
}

std::vector<RootPress> RawButtonListener::drain() {
    std::vector<RootPress> presses;
    if (!display_ || watch_.broken()) return presses;
    BrokenConnectionWatch::keepHandling();
    // The pointer query below may bring more events in: XPending counts them too.
    while (!watch_.broken() && XPending(display_.get()) > 0) {
        XEvent event;
        XNextEvent(display_.get(), &event);
        if (event.type == MappingNotify && event.xmapping.request == MappingPointer) {
            readPointerMapping();
            continue;
        }
        if (event.type != GenericEvent || event.xcookie.extension != xiOpcode_ ||
            event.xcookie.evtype != XI_RawButtonPress ||
            !XGetEventData(display_.get(), &event.xcookie)) {
            continue;
        }
        const auto* raw = static_cast<const XIRawEvent*>(event.xcookie.data);
        const bool left = isLeft(raw->detail);
        const unsigned long time = raw->time;
        XFreeEventData(display_.get(), &event.xcookie);
        if (!left) continue;
        Window root = 0;
        Window child = 0;
        RootPress press;
        int windowX = 0;
        int windowY = 0;
        unsigned int buttons = 0;
        if (XQueryPointer(display_.get(), DefaultRootWindow(display_.get()), &root, &child,
                          &press.rootX, &press.rootY, &windowX, &windowY, &buttons) &&
            !watch_.broken()) {
            press.time = time;
            presses.push_back(press);
        }
    }
    return presses;
}

}  // namespace pointilla::platform::x11
