#include "platform/wayland/gnome/helper_pointer.h"

#include <chrono>

#include "platform/wayland/gnome/bus_calls.h"
#include "platform/wayland/gnome/shell_helper_bus.h"

namespace pointilla::platform::wayland::gnome {

std::unique_ptr<HelperPointer> HelperPointer::open() {
    auto bus = openSessionBus();
    if (!bus) return nullptr;
    static_cast<void>(sd_bus_set_method_call_timeout(
        bus->get(), std::chrono::microseconds(kHelperCallTimeout).count()));
    return std::make_unique<HelperPointer>(std::move(bus.value()));
}

std::optional<ScreenPoint> HelperPointer::position() {
    ScopedBusError error;
    sd_bus_message* reply = nullptr;
    const int r = sd_bus_call_method(bus_.get(), kHelperService, kHelperPath, kHelperInterface,
                                     "GetPosition", error.get(), &reply, "");
    const MessageHandle owned(reply);
    ScreenPoint point;
    std::uint32_t modifiers = 0;
    if (r < 0 || sd_bus_message_read(reply, "iiu", &point.x, &point.y, &modifiers) < 0)
        return std::nullopt;
    return point;
}

}  // namespace pointilla::platform::wayland::gnome
