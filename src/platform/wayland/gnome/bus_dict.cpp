#include "platform/wayland/gnome/bus_dict.h"

namespace pointilla::platform::wayland::gnome {

bool readDict(sd_bus_message* message,
              const std::function<bool(std::string_view key, sd_bus_message* message)>& visit) {
    if (sd_bus_message_enter_container(message, SD_BUS_TYPE_ARRAY, "{sv}") <= 0) return false;
    for (;;) {
        const int entered = sd_bus_message_enter_container(message, SD_BUS_TYPE_DICT_ENTRY, "sv");
        if (entered < 0) return false;
        if (entered == 0) break;
        const char* key = nullptr;
        const char* contents = nullptr;
        if (sd_bus_message_read_basic(message, SD_BUS_TYPE_STRING, &key) < 0 ||
            sd_bus_message_peek_type(message, nullptr, &contents) < 0 ||
            sd_bus_message_enter_container(message, SD_BUS_TYPE_VARIANT, contents) < 0) {
            return false;
        }
        if (!visit(key, message) && sd_bus_message_skip(message, contents) < 0) return false;
        if (sd_bus_message_exit_container(message) < 0 ||  // the variant
            sd_bus_message_exit_container(message) < 0) {  // the entry
            return false;
        }
    }
    return sd_bus_message_exit_container(message) >= 0;
}

bool readIntPair(sd_bus_message* message, int& first, int& second) {
    int32_t a = 0;
    int32_t b = 0;
    if (sd_bus_message_read(message, "(ii)", &a, &b) < 0) return false;
    first = a;
    second = b;
    return true;
}

}  // namespace pointilla::platform::wayland::gnome
