#include "platform/wayland/common/output_layout.h"

#include <algorithm>
#include <climits>

namespace pointilla::platform::wayland {

Layout layoutOf(std::span<const LayoutRect> outputs) {
    Layout layout;
    int left = INT_MAX;
    int top = INT_MAX;
    int right = INT_MIN;
    int bottom = INT_MIN;
    const LayoutRect* first = nullptr;
    const LayoutRect* atOrigin = nullptr;
    for (const LayoutRect& rect : outputs) {
        if (rect.width <= 0 || rect.height <= 0) continue;
        if (first == nullptr) first = &rect;
        if (atOrigin == nullptr && rect.contains(0, 0)) atOrigin = &rect;
        left = std::min(left, rect.x);
        top = std::min(top, rect.y);
        right = std::max(right, rect.x + rect.width);
        bottom = std::max(bottom, rect.y + rect.height);
    }
    if (first == nullptr) return layout;
    layout.extent = {left, top, right - left, bottom - top};
    layout.primary = atOrigin != nullptr ? *atOrigin : *first;
    return layout;
}

namespace {

void logicalPosition(void* data, zxdg_output_v1* /*xdg*/, std::int32_t x, std::int32_t y) {
    auto* output = static_cast<OutputLayout::Output*>(data);
    output->rect.x = x;
    output->rect.y = y;
}
void logicalSize(void* data, zxdg_output_v1* /*xdg*/, std::int32_t width, std::int32_t height) {
    auto* output = static_cast<OutputLayout::Output*>(data);
    output->rect.width = width;
    output->rect.height = height;
}
void done(void* /*data*/, zxdg_output_v1* /*xdg*/) {}
void name(void* data, zxdg_output_v1* /*xdg*/, const char* text) {
    static_cast<OutputLayout::Output*>(data)->name = text;
}
void description(void* /*data*/, zxdg_output_v1* /*xdg*/, const char* /*text*/) {}

const zxdg_output_v1_listener kXdgOutputListener{logicalPosition, logicalSize, done, name,
                                                 description};

}  // namespace

OutputLayout::OutputLayout(wl_registry* registry, zxdg_output_manager_v1* manager)
    : registry_(registry), manager_(manager) {}

void OutputLayout::add(const Global& global) {
    if (global.interface != wl_output_interface.name) return;
    auto output = std::make_unique<Output>();
    output->globalName = global.name;
    output->output.reset(
        bindGlobal<wl_output>(registry_, global.name, &wl_output_interface, global.version, 3));
    output->xdgOutput.reset(zxdg_output_manager_v1_get_xdg_output(manager_, output->output.get()));
    zxdg_output_v1_add_listener(output->xdgOutput.get(), &kXdgOutputListener, output.get());
    outputs_.push_back(std::move(output));
}

void OutputLayout::remove(std::uint32_t globalName) {
    std::erase_if(outputs_, [globalName](const std::unique_ptr<Output>& output) {
        return output->globalName == globalName;
    });
}

Layout OutputLayout::current() const {
    std::vector<LayoutRect> rects;
    rects.reserve(outputs_.size());
    for (const auto& output : outputs_) rects.push_back(output->rect);
    return layoutOf(rects);
}

}  // namespace pointilla::platform::wayland
