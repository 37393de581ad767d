#include "platform/wayland/wlroots/pointer_probe.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cmath>

#include "platform/wayland/common/event_pump.h"

namespace pointilla::platform::wayland {
namespace {

using Clock = std::chrono::steady_clock;

void ignoreLeave(void*, wl_pointer*, std::uint32_t, wl_surface*) {}
void ignoreMotion(void*, wl_pointer*, std::uint32_t, wl_fixed_t, wl_fixed_t) {}
void ignoreButton(void*, wl_pointer*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {}
void ignoreAxis(void*, wl_pointer*, std::uint32_t, std::uint32_t, wl_fixed_t) {}
void ignoreFrame(void*, wl_pointer*) {}
void ignoreAxisSource(void*, wl_pointer*, std::uint32_t) {}
void ignoreAxisStop(void*, wl_pointer*, std::uint32_t, std::uint32_t) {}
void ignoreAxisDiscrete(void*, wl_pointer*, std::uint32_t, std::int32_t) {}

}  // namespace

PointerProbe::PointerProbe(wl_display* display, wl_compositor* compositor, wl_shm* shm,
                           zwlr_layer_shell_v1* layerShell)
    : display_(display), compositor_(compositor), shm_(shm), layerShell_(layerShell) {}

void PointerProbe::setPointer(wl_pointer* pointer) {
    static const wl_pointer_listener listener{&PointerProbe::onEnter,
                                              ignoreLeave,
                                              ignoreMotion,
                                              ignoreButton,
                                              ignoreAxis,
                                              ignoreFrame,
                                              ignoreAxisSource,
                                              ignoreAxisStop,
                                              ignoreAxisDiscrete,
                                              nullptr};
    pointer_ = pointer;
    wl_pointer_add_listener(pointer_, &listener, this);
}

wl_buffer* PointerProbe::transparentBuffer(std::uint32_t width, std::uint32_t height) {
    if (buffer_ && width == bufferWidth_ && height == bufferHeight_) return buffer_.get();
    buffer_.reset();
    pool_.reset();
    const std::size_t size = std::size_t{width} * height * 4;
    // A file of zeros without writing them: premultiplied ARGB 0 is transparent.
    bufferFd_.reset(::memfd_create("pointilla-overlay", MFD_CLOEXEC));
    if (!bufferFd_ || ::ftruncate(bufferFd_.get(), static_cast<off_t>(size)) != 0) return nullptr;
    pool_.reset(wl_shm_create_pool(shm_, bufferFd_.get(), static_cast<std::int32_t>(size)));
    buffer_.reset(wl_shm_pool_create_buffer(
        pool_.get(), 0, static_cast<std::int32_t>(width), static_cast<std::int32_t>(height),
        static_cast<std::int32_t>(width * 4), WL_SHM_FORMAT_ARGB8888));
    bufferWidth_ = width;
    bufferHeight_ = height;
    return buffer_.get();
}

std::optional<ScreenPoint> PointerProbe::probe(const OutputLayout& outputs,
                                               std::chrono::milliseconds wait) {
    static const zwlr_layer_surface_v1_listener layerListener{&PointerProbe::onConfigure,
                                                              &PointerProbe::onClosed};
    if (pointer_ == nullptr || layerShell_ == nullptr) return std::nullopt;
    std::vector<Overlay> overlays(outputs.outputs().size());
    overlays_ = &overlays;
    entered_.reset();
    for (std::size_t i = 0; i < overlays.size(); ++i) {
        Overlay& overlay = overlays[i];
        overlay.output = outputs.outputs()[i].get();
        overlay.surface.reset(wl_compositor_create_surface(compositor_));
        overlay.layer.reset(zwlr_layer_shell_v1_get_layer_surface(
            layerShell_, overlay.surface.get(), overlay.output->output.get(),
            ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "pointilla-pointer"));
        zwlr_layer_surface_v1_add_listener(overlay.layer.get(), &layerListener, &overlay);
        zwlr_layer_surface_v1_set_anchor(
            overlay.layer.get(),
            ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
        zwlr_layer_surface_v1_set_exclusive_zone(overlay.layer.get(), -1);
        zwlr_layer_surface_v1_set_keyboard_interactivity(
            overlay.layer.get(), ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
        wl_surface_commit(overlay.surface.get());
    }
    if (wl_display_roundtrip(display_) >= 0) {
        for (Overlay& overlay : overlays) {
            if (!overlay.configured || overlay.closed) continue;
            wl_buffer* buffer = transparentBuffer(overlay.width, overlay.height);
            if (buffer == nullptr) continue;
            zwlr_layer_surface_v1_ack_configure(overlay.layer.get(), overlay.serial);
            wl_surface_attach(overlay.surface.get(), buffer, 0, 0);
            wl_surface_commit(overlay.surface.get());
        }
        const auto deadline = Clock::now() + wait;
        while (!entered_) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0 || !pumpEvents(display_, static_cast<int>(left.count()))) break;
        }
    }
    overlays.clear();  // unmaps them
    wl_display_flush(display_);
    overlays_ = nullptr;
    return entered_;
}

void PointerProbe::onConfigure(void* data, zwlr_layer_surface_v1* /*layer*/, std::uint32_t serial,
                               std::uint32_t width, std::uint32_t height) {
    auto* overlay = static_cast<Overlay*>(data);
    overlay->serial = serial;
    overlay->width = width;
    overlay->height = height;
    overlay->configured = width > 0 && height > 0;
}

void PointerProbe::onClosed(void* data, zwlr_layer_surface_v1* /*layer*/) {
    static_cast<Overlay*>(data)->closed = true;
}

void PointerProbe::onEnter(void* data, wl_pointer* /*pointer*/, std::uint32_t /*serial*/,
                           wl_surface* surface, wl_fixed_t x, wl_fixed_t y) {
    auto* self = static_cast<PointerProbe*>(data);
    if (self->overlays_ == nullptr) return;
    for (const Overlay& overlay : *self->overlays_) {
        if (overlay.surface.get() != surface) continue;
        const auto surfaceX = static_cast<int>(std::floor(wl_fixed_to_double(x)));
        const auto surfaceY = static_cast<int>(std::floor(wl_fixed_to_double(y)));
        self->entered_ =
            ScreenPoint{overlay.output->rect.x + surfaceX, overlay.output->rect.y + surfaceY};
        return;
    }
}

}  // namespace pointilla::platform::wayland
