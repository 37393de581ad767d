#pragma once
// The few sd-bus steps the KWin backend repeats: a blocking method call with
// its error kept, and handling whatever has arrived without waiting.

#include <chrono>
#include <functional>

#include "common/result.h"
#include "platform/dbus/sd_bus_handles.h"

namespace pointilla::platform::wayland::kwin {

// Calls a method; `append` adds the arguments to the message.
Result<MessageHandle, BusError> callMethod(sd_bus* bus, const char* destination, const char* path,
                                           const char* interface, const char* member,
                                           const std::function<int(sd_bus_message*)>& append);

// Runs the handlers of every message already received or readable now.
// False when the connection broke.
bool handlePending(sd_bus* bus);

// Handles messages as they come until `done` holds or the time is up.
bool handleUntil(sd_bus* bus, const std::function<bool()>& done, std::chrono::milliseconds timeout);

}  // namespace pointilla::platform::wayland::kwin
