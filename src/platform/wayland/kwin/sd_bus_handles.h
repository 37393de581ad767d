#pragma once
// Owning handles for sd-bus objects, and the error of a failed call kept as
// plain text (its D-Bus name and message) once the sd_bus_error is freed.

#include <systemd/sd-bus.h>

#include <memory>
#include <string>

namespace pointilla::platform::wayland::kwin {

struct BusUnref {
    void operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }
};
struct MessageUnref {
    void operator()(sd_bus_message* message) const { sd_bus_message_unref(message); }
};
struct SlotUnref {
    void operator()(sd_bus_slot* slot) const { sd_bus_slot_unref(slot); }
};

using BusHandle = std::unique_ptr<sd_bus, BusUnref>;
using MessageHandle = std::unique_ptr<sd_bus_message, MessageUnref>;
using SlotHandle = std::unique_ptr<sd_bus_slot, SlotUnref>;

// What went wrong on the bus, by the error's D-Bus name when the peer gave one.
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
    BusError take(int code) const {
        if (sd_bus_error_is_set(&error_) != 0) {
            return {error_.name, error_.message != nullptr ? error_.message : ""};
        }
        return {"errno", std::to_string(-code)};
    }

  private:
    sd_bus_error error_ = SD_BUS_ERROR_NULL;
};

}  // namespace pointilla::platform::wayland::kwin
