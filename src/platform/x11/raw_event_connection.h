#pragma once
// A connection of its own that hears XInput2 raw events on the root window:
// raw events reach it whatever the grabs, from XInput 2.1 on. The key and
// button listeners each open one.

#include <initializer_list>
#include <optional>
#include <string>

#include "platform/x11/x_handles.h"

namespace pointilla::platform::x11 {

struct RawEventConnection {
    DisplayHandle display;
    int xiOpcode = 0;  // the extension's major opcode, which its events carry
};

// Opens `displayName` and selects `eventTypes` (XI_RawKeyPress, ...) from
// `deviceId` (XIAllDevices, XIAllMasterDevices) on the root window, the
// selection synced and the socket closed on exec; nothing when the display or
// XInput 2.1 is missing.
std::optional<RawEventConnection> openRawEvents(const std::string& displayName,
                                                std::initializer_list<int> eventTypes,
                                                int deviceId);

}  // namespace pointilla::platform::x11
