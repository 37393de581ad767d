#pragma once
// Owning handles for sd-bus objects, shared by every backend that talks to the
// session bus, and a call's error kept as plain text once the sd_bus_error is
// freed.

#include <systemd/sd-bus.h>

#include <cstring>
#include <memory>
#include <string>

namespace pointilla::platform {

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

// What went wrong on the bus, by the error's D-Bus name when the peer gave one
// ("errno" and the number otherwise).
struct BusError {
    std::string name;
    std::string message;
};

// An sd_bus_error freed on every path.
class ScopedBusError {
  public:
    ScopedBusError() = default;
    ~ScopedBusError() { sd_bus_error_free(&error_); }
    ScopedBusError(const ScopedBusError&) = delete;
    ScopedBusError& operator=(const ScopedBusError&) = delete;

    sd_bus_error* get() { return &error_; }
    // The error of a call that returned `code` (a negative errno).
    BusError take(int code) const {
        if (sd_bus_error_is_set(&error_) != 0) {
            return {error_.name, error_.message != nullptr ? error_.message : ""};
        }
        return {"errno", std::to_string(code < 0 ? -code : code)};
    }
    // "name: message", or the errno's text when the bus gave no name.
    std::string describe(int code) const {
        if (error_.name != nullptr) {
            return std::string(error_.name) + (error_.message != nullptr ? ": " : "") +
                   (error_.message != nullptr ? error_.message : "");
        }
        return std::strerror(code < 0 ? -code : code);
    }

  private:
    sd_bus_error error_ = SD_BUS_ERROR_NULL;
};

}  // namespace pointilla::platform
