#pragma once
// The few call helpers every D-Bus conversation of the GNOME backend needs.

#include <string>

#include "common/result.h"
#include "platform/dbus/sd_bus_handles.h"

namespace pointilla::platform::wayland::gnome {

// A failed step, told by the D-Bus names involved ("org.freedesktop.portal.RemoteDesktop.Start:
// ...").
using BusFailure = std::string;

// The user's session bus.
Result<BusHandle, BusFailure> openSessionBus();

// A method call built by the caller (arguments appended to `call`) and sent
// synchronously, with a generous timeout: a reply or why there is none.
Result<MessageHandle, BusFailure> callMethod(sd_bus* bus, sd_bus_message* call);

// Starts a method call to `destination` at `path`.
Result<MessageHandle, BusFailure> newMethodCall(sd_bus* bus, const char* destination,
                                                const char* path, const char* interface,
                                                const char* member);

// A property read as a variant of `type` into the reply, positioned at its value.
Result<MessageHandle, BusFailure> getProperty(sd_bus* bus, const char* destination,
                                              const char* path, const char* interface,
                                              const char* property, const char* type);

}  // namespace pointilla::platform::wayland::gnome
