#include "platform/x11/raw_button_listener.h"

#include <X11/extensions/XInput2.h>
#include <fcntl.h>

#include <array>

namespace pointilla::platform::x11 {

bool RawButtonListener::open(const std::string& displayName) {
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
    XISetMask(bits.data(), XI_RawButtonPress);
    XIEventMask mask{};
    // The master devices only: each press once, whichever device made it.
    mask.deviceid = XIAllMasterDevices;
    mask.mask_len = static_cast<int>(bits.size());
    mask.mask = bits.data();
    XISelectEvents(display.get(), DefaultRootWindow(display.get()), &mask, 1);
    XSync(display.get(), False);
    ::fcntl(ConnectionNumber(display.get()), F_SETFD, FD_CLOEXEC);
    watch_.watch(display.get());
    display_ = std::move(display);
    xiOpcode_ = opcode;
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
