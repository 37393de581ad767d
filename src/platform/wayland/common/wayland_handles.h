#pragma once
// Owning handles for a Wayland connection and the protocol objects made on it:
// each object is destroyed once, by its interface's own destroy request, and
// the connection is closed last (declare it first).

#include <wayland-client.h>

#include <cstdint>
#include <memory>

#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

namespace pointilla::platform::wayland {

struct DisplayDisconnect {
    void operator()(wl_display* display) const { wl_display_disconnect(display); }
};
using DisplayHandle = std::unique_ptr<wl_display, DisplayDisconnect>;

// Each interface's own destroy request, by overload (`type` names a type,
// which parentheses would break).
#define POINTILLA_WAYLAND_DESTROY(type, request) \
    inline void destroyProxy(type* proxy) { request(proxy); }  // NOLINT(bugprone-macro-parentheses)
POINTILLA_WAYLAND_DESTROY(wl_registry, wl_registry_destroy)
POINTILLA_WAYLAND_DESTROY(wl_compositor, wl_compositor_destroy)
POINTILLA_WAYLAND_DESTROY(wl_seat, wl_seat_destroy)
POINTILLA_WAYLAND_DESTROY(wl_pointer, wl_pointer_destroy)
POINTILLA_WAYLAND_DESTROY(wl_shm, wl_shm_destroy)
POINTILLA_WAYLAND_DESTROY(wl_shm_pool, wl_shm_pool_destroy)
POINTILLA_WAYLAND_DESTROY(wl_buffer, wl_buffer_destroy)
POINTILLA_WAYLAND_DESTROY(wl_surface, wl_surface_destroy)
POINTILLA_WAYLAND_DESTROY(wl_region, wl_region_destroy)
POINTILLA_WAYLAND_DESTROY(wl_output, wl_output_destroy)
POINTILLA_WAYLAND_DESTROY(zxdg_output_manager_v1, zxdg_output_manager_v1_destroy)
POINTILLA_WAYLAND_DESTROY(zxdg_output_v1, zxdg_output_v1_destroy)
POINTILLA_WAYLAND_DESTROY(zwlr_layer_shell_v1, zwlr_layer_shell_v1_destroy)
POINTILLA_WAYLAND_DESTROY(zwlr_layer_surface_v1, zwlr_layer_surface_v1_destroy)
POINTILLA_WAYLAND_DESTROY(zwlr_virtual_pointer_manager_v1, zwlr_virtual_pointer_manager_v1_destroy)
POINTILLA_WAYLAND_DESTROY(zwlr_virtual_pointer_v1, zwlr_virtual_pointer_v1_destroy)
#undef POINTILLA_WAYLAND_DESTROY

struct ProxyDestroy {
    template <class T>
    void operator()(T* proxy) const {
        destroyProxy(proxy);
    }
};
template <class T>
using Proxy = std::unique_ptr<T, ProxyDestroy>;

using RegistryHandle = Proxy<wl_registry>;
using CompositorHandle = Proxy<wl_compositor>;
using SeatHandle = Proxy<wl_seat>;
using PointerHandle = Proxy<wl_pointer>;
using ShmHandle = Proxy<wl_shm>;
using ShmPoolHandle = Proxy<wl_shm_pool>;
using BufferHandle = Proxy<wl_buffer>;
using SurfaceHandle = Proxy<wl_surface>;
using RegionHandle = Proxy<wl_region>;
using OutputHandle = Proxy<wl_output>;
using XdgOutputManagerHandle = Proxy<zxdg_output_manager_v1>;
using XdgOutputHandle = Proxy<zxdg_output_v1>;
using LayerShellHandle = Proxy<zwlr_layer_shell_v1>;
using LayerSurfaceHandle = Proxy<zwlr_layer_surface_v1>;
using VirtualPointerManagerHandle = Proxy<zwlr_virtual_pointer_manager_v1>;
using VirtualPointerHandle = Proxy<zwlr_virtual_pointer_v1>;

// Binds a global by its registry name at the lower of the compositor's version
// and the one this program was written for.
template <class T>
T* bindGlobal(wl_registry* registry, std::uint32_t name, const wl_interface* interface,
              std::uint32_t offered, std::uint32_t wanted) {
    return static_cast<T*>(
        wl_registry_bind(registry, name, interface, offered < wanted ? offered : wanted));
}

}  // namespace pointilla::platform::wayland
