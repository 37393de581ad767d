#pragma once
// The globals a Wayland compositor offers (interface name, version, registry
// name), kept up to date as outputs come and go. The list is complete after
// the round trip done at creation; later changes arrive with the connection's
// events and are passed on to the optional callbacks.

#include <wayland-client.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/wayland/common/wayland_handles.h"

namespace pointilla::platform::wayland {

struct Global {
    std::uint32_t name = 0;
    std::string interface;
    std::uint32_t version = 0;
};

class RegistryGlobals {
  public:
    // Lists the globals with one round trip. Null when the round trip failed.
    static std::unique_ptr<RegistryGlobals> read(wl_display* display);

    RegistryGlobals(const RegistryGlobals&) = delete;
    RegistryGlobals& operator=(const RegistryGlobals&) = delete;
    ~RegistryGlobals() = default;

    wl_registry* registry() const { return registry_.get(); }
    const std::vector<Global>& all() const { return globals_; }
    // The first global of that interface, or null.
    const Global* find(std::string_view interface) const;

    // Called for globals added or removed after the first listing.
    std::function<void(const Global&)> onAdded;
    std::function<void(std::uint32_t name)> onRemoved;

  private:
    RegistryGlobals() = default;
    static void added(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                      std::uint32_t version);
    static void removed(void* data, wl_registry* registry, std::uint32_t name);

    RegistryHandle registry_;
    std::vector<Global> globals_;
    bool listed_ = false;
};

// The interface names alone, for choosing a backend.
std::vector<std::string> interfaceNames(const std::vector<Global>& globals);

}  // namespace pointilla::platform::wayland
