#include "platform/native/session_bus_names.h"

#include <algorithm>
#include <memory>

#include "platform/dbus/sd_bus_handles.h"

namespace pointilla::platform {
namespace {

// The bus daemon's list of names (ListNames or ListActivatableNames).
std::vector<std::string> listNames(sd_bus* bus, const char* method) {
    std::vector<std::string> names;
    sd_bus_message* raw = nullptr;
    if (sd_bus_call_method(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                           "org.freedesktop.DBus", method, nullptr, &raw, "") < 0) {
        return names;
    }
    const MessageHandle reply(raw);
    if (sd_bus_message_enter_container(raw, 'a', "s") < 0) return names;
    const char* name = nullptr;
    while (sd_bus_message_read(raw, "s", &name) > 0) names.emplace_back(name);
    return names;
}

}  // namespace

std::vector<std::string> presentBusNames(std::span<const std::string_view> names) {
    sd_bus* raw = nullptr;
    if (sd_bus_open_user(&raw) < 0) return {};
    const BusHandle bus(raw);
    std::vector<std::string> onBus = listNames(raw, "ListNames");
    const std::vector<std::string> activatable = listNames(raw, "ListActivatableNames");
    onBus.insert(onBus.end(), activatable.begin(), activatable.end());
    std::vector<std::string> present;
    for (const std::string_view name : names) {
        if (std::find(onBus.begin(), onBus.end(), name) != onBus.end()) present.emplace_back(name);
    }
    return present;
}

}  // namespace pointilla::platform
