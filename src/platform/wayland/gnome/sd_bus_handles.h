#pragma once
// Owning handles for sd-bus objects, and the few call helpers every D-Bus
// conversation of the GNOME backend needs.

#include <systemd/sd-bus.h>

#include <memory>
#include <string>

#include "common/result.h"

namespace pointilla::platform::wayland::gnome {

struct BusCloser {
    void operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }
};
struct MessageUnref {
    void operator()(sd_bus_message* message) const { sd_bus_message_unref(message); }
};
struct SlotUnref {
    void operator()(sd_bus_slot* slot) const { sd_bus_slot_unref(slot); }
};
using BusHandle = std::unique_ptr<sd_bus, BusCloser>;
using MessageHandle = std::unique_ptr<sd_bus_message, MessageUnref>;
using SlotHandle = std::unique_ptr<sd_bus_slot, SlotUnref>;

// An sd_bus_error freed on every path.
class BusError {
  public:
    BusError() = default;
    ~BusError() { sd_bus_error_free(&error_); }
    BusError(const BusError&) = delete;
    BusError& operator=(const BusError&) = delete;
    sd_bus_error* get() { return &error_; }
    // "name: message", or the errno text when the bus gave no name.
    std::string describe(int code) const;

  private:
    sd_bus_error error_ = SD_BUS_ERROR_NULL;
};

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
