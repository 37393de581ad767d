#pragma once
// Owning handles for the Wayland connection and its registry; the owner
// declares the display first so that it is disconnected last.

#include <wayland-client.h>

#include <memory>

namespace pointilla::platform::wayland::kwin {

struct DisplayDisconnect {
    void operator()(wl_display* display) const { wl_display_disconnect(display); }
};
struct RegistryDestroy {
    void operator()(wl_registry* registry) const { wl_registry_destroy(registry); }
};

using DisplayHandle = std::unique_ptr<wl_display, DisplayDisconnect>;
using RegistryHandle = std::unique_ptr<wl_registry, RegistryDestroy>;

}  // namespace pointilla::platform::wayland::kwin
