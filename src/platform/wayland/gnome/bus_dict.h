#pragma once
// Reading the a{sv} option dictionaries that portals and mutter answer with.

#include <systemd/sd-bus.h>

#include <functional>
#include <string_view>

namespace pointilla::platform::wayland::gnome {

// Walks the a{sv} at the message's read position. visit(key, message) finds
// the message inside the entry's variant; it reads the value and returns true,
// or reads nothing and returns false to have it skipped. False when the
// message is not such a dictionary.
bool readDict(sd_bus_message* message,
              const std::function<bool(std::string_view key, sd_bus_message* message)>& visit);

// Reads an (ii) pair, as positions and sizes come.
bool readIntPair(sd_bus_message* message, int& first, int& second);

}  // namespace pointilla::platform::wayland::gnome
