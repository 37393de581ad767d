#include "platform/wayland/gnome/bus_calls.h"

#include <cstring>

namespace pointilla::platform::wayland::gnome {
namespace {

// Portal and compositor calls answer at once; only their Response signals wait for people.
constexpr uint64_t kCallTimeoutUsec = 10'000'000;

std::string where(sd_bus_message* call) {
    const char* interface = sd_bus_message_get_interface(call);
    const char* member = sd_bus_message_get_member(call);
    return std::string(interface != nullptr ? interface : "?") + "." +
           (member != nullptr ? member : "?");
}

}  // namespace

Result<BusHandle, BusFailure> openSessionBus() {
    sd_bus* bus = nullptr;
    const int r = sd_bus_open_user(&bus);
    if (r < 0) return fail(BusFailure("session D-Bus: ") + std::strerror(-r));
    return BusHandle(bus);
}

Result<MessageHandle, BusFailure> newMethodCall(sd_bus* bus, const char* destination,
                                                const char* path, const char* interface,
                                                const char* member) {
    sd_bus_message* call = nullptr;
    const int r = sd_bus_message_new_method_call(bus, &call, destination, path, interface, member);
    if (r < 0) {
        return fail(std::string(interface) + "." + member + ": " + std::strerror(-r));
    }
    return MessageHandle(call);
}

Result<MessageHandle, BusFailure> callMethod(sd_bus* bus, sd_bus_message* call) {
    ScopedBusError error;
    sd_bus_message* reply = nullptr;
    const int r = sd_bus_call(bus, call, kCallTimeoutUsec, error.get(), &reply);
    if (r < 0) return fail(where(call) + ": " + error.describe(r));
    return MessageHandle(reply);
}

Result<MessageHandle, BusFailure> getProperty(sd_bus* bus, const char* destination,
                                              const char* path, const char* interface,
                                              const char* property, const char* type) {
    ScopedBusError error;
    sd_bus_message* reply = nullptr;
    const int r =
        sd_bus_get_property(bus, destination, path, interface, property, error.get(), &reply, type);
    const std::string name = std::string(interface) + "." + property;
    if (r < 0) return fail(name + ": " + error.describe(r));
    return MessageHandle(reply);  // sd-bus has entered the variant already
}

}  // namespace pointilla::platform::wayland::gnome
