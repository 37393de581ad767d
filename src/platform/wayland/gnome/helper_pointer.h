#pragma once
// The pointer's position as Pointilla's GNOME Shell helper reads it in the
// shell: exact, on every monitor, from the primary monitor's top-left corner.

#include <memory>
#include <optional>

#include "platform/dbus/sd_bus_handles.h"
#include "platform/desktop/desktop.h"

namespace pointilla::platform::wayland::gnome {

class HelperPointer {
  public:
    // nullptr when the session bus cannot be reached.
    static std::unique_ptr<HelperPointer> open();
    explicit HelperPointer(BusHandle bus) : bus_(std::move(bus)) {}

    // std::nullopt while the helper is not there (or does not answer in time).
    std::optional<ScreenPoint> position();

  private:
    BusHandle bus_;
};

}  // namespace pointilla::platform::wayland::gnome
