#pragma once
// Where the compositor's outputs lie in its global (layout) space, read from
// xdg-output's logical positions and sizes, and which of them is the primary
// one whose top-left corner is the origin of scenario coordinates.
//
// Wayland has no primary output of its own: the primary one is the output that
// covers the layout's point (0, 0), where compositors put the first output,
// and otherwise the first one listed.

#include <wayland-client.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/desktop/desktop.h"
#include "platform/wayland/common/registry_globals.h"
#include "platform/wayland/common/wayland_handles.h"

namespace pointilla::platform::wayland {

struct LayoutRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool contains(int px, int py) const {
        return px >= x && py >= y && px < x + width && py < y + height;
    }
    friend bool operator==(const LayoutRect&, const LayoutRect&) = default;
};

struct Layout {
    LayoutRect extent;   // the box around every output
    LayoutRect primary;  // the primary output
    bool known() const { return extent.width > 0 && extent.height > 0; }

    // Scenario coordinates (relative to the primary output) to and from layout ones.
    ScreenPoint toLayout(ScreenPoint point) const {
        return {point.x + primary.x, point.y + primary.y};
    }
    ScreenPoint fromLayout(ScreenPoint point) const {
        return {point.x - primary.x, point.y - primary.y};
    }
};

// The layout of these outputs; empty ones (not yet described) are left out.
Layout layoutOf(std::span<const LayoutRect> outputs);

// Follows the wl_output globals and their xdg-output descriptions.
class OutputLayout {
  public:
    struct Output {
        std::uint32_t globalName = 0;
        OutputHandle output;
        XdgOutputHandle xdgOutput;
        LayoutRect rect;
        std::string name;  // "HEADLESS-1", once told
    };

    OutputLayout(wl_registry* registry, zxdg_output_manager_v1* manager);
    OutputLayout(const OutputLayout&) = delete;
    OutputLayout& operator=(const OutputLayout&) = delete;
    ~OutputLayout() = default;

    // Follows a wl_output global; others are ignored. Its description arrives
    // with the connection's next events (a round trip).
    void add(const Global& global);
    void remove(std::uint32_t globalName);

    Layout current() const;
    const std::vector<std::unique_ptr<Output>>& outputs() const { return outputs_; }

  private:
    wl_registry* registry_;
    zxdg_output_manager_v1* manager_;
    std::vector<std::unique_ptr<Output>> outputs_;  // stable addresses for the listeners
};

}  // namespace pointilla::platform::wayland
