#include "platform/x11/raw_event_connection.h"

#include <X11/extensions/XInput2.h>
#include <fcntl.h>

#include <array>

namespace pointilla::platform::x11 {

std::optional<RawEventConnection> openRawEvents(const std::string& displayName,
                                                std::initializer_list<int> eventTypes,
                                                int deviceId) {
    DisplayHandle display(XOpenDisplay(displayName.c_str()));
    if (!display) return std::nullopt;
    int event = 0;
    int error = 0;
    int opcode = 0;
    if (!XQueryExtension(display.get(), "XInputExtension", &opcode, &event, &error)) {
        return std::nullopt;
    }
    int major = 2;
    int minor = 2;
    if (XIQueryVersion(display.get(), &major, &minor) != Success || major < 2 ||
        (major == 2 && minor < 1)) {
        return std::nullopt;
    }
    std::array<unsigned char, XIMaskLen(XI_LASTEVENT)> bits{};
    for (const int type : eventTypes) XISetMask(bits.data(), type);
    XIEventMask mask{};
    mask.deviceid = deviceId;
    mask.mask_len = static_cast<int>(bits.size());
    mask.mask = bits.data();
    XISelectEvents(display.get(), DefaultRootWindow(display.get()), &mask, 1);
    XSync(display.get(), False);
    ::fcntl(ConnectionNumber(display.get()), F_SETFD, FD_CLOEXEC);
    return RawEventConnection{std::move(display), opcode};
}

}  // namespace pointilla::platform::x11
