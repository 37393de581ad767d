#pragma once
// Reading the pointer's position where Wayland tells a client only about its
// own surfaces: a transparent layer-shell overlay is mapped over every output
// for a moment, and the pointer's entering one of them gives the position.
// The overlay takes no keyboard focus and is unmapped as soon as the pointer
// has entered it (or after a short wait, when the pointer is held by a press).

#include <wayland-client.h>

#include <chrono>
#include <optional>
#include <vector>

#include "platform/desktop/desktop.h"
#include "platform/posix/unique_fd.h"
#include "platform/wayland/common/output_layout.h"
#include "platform/wayland/common/wayland_handles.h"

namespace pointilla::platform::wayland {

class PointerProbe {
  public:
    PointerProbe(wl_display* display, wl_compositor* compositor, wl_shm* shm,
                 zwlr_layer_shell_v1* layerShell);

    // The seat's pointer, once the seat has one (a virtual pointer exists).
    void setPointer(wl_pointer* pointer);

    // The position in layout coordinates, or nothing when the pointer did not
    // enter the overlay within `wait`.
    std::optional<ScreenPoint> probe(const OutputLayout& outputs, std::chrono::milliseconds wait);

  private:
    struct Overlay {
        const OutputLayout::Output* output = nullptr;
        SurfaceHandle surface;
        LayerSurfaceHandle layer;
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        std::uint32_t serial = 0;
        bool configured = false;
        bool closed = false;
    };
    wl_buffer* transparentBuffer(std::uint32_t width, std::uint32_t height);

    static void onConfigure(void* data, zwlr_layer_surface_v1* layer, std::uint32_t serial,
                            std::uint32_t width, std::uint32_t height);
    static void onClosed(void* data, zwlr_layer_surface_v1* layer);
    static void onEnter(void* data, wl_pointer* pointer, std::uint32_t serial, wl_surface* surface,
                        wl_fixed_t x, wl_fixed_t y);

    wl_display* display_;
    wl_compositor* compositor_;
    wl_shm* shm_;
    zwlr_layer_shell_v1* layerShell_;
    wl_pointer* pointer_ = nullptr;

    // One all-transparent buffer, kept for the next probe while the size holds.
    posix::UniqueFd bufferFd_;
    ShmPoolHandle pool_;
    BufferHandle buffer_;
    std::uint32_t bufferWidth_ = 0;
    std::uint32_t bufferHeight_ = 0;

    // Filled while a probe runs.
    std::vector<Overlay>* overlays_ = nullptr;
    std::optional<ScreenPoint> entered_;
};

}  // namespace pointilla::platform::wayland
