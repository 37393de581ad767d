#pragma once
// The desktop of a wlroots compositor (sway, and the pointer side on Hyprland,
// river, labwc): pointer moves and left-button presses through one virtual
// pointer (zwlr_virtual_pointer_v1) kept for the desktop's life, the pointer
// position through a momentary layer-shell overlay, the hot key through sway's
// IPC bindings ($SWAYSOCK). Coordinates are relative to the primary output
// (platform/wayland/common/output_layout.h). Documents open with xdg-open.
// Use it from one thread.

#include <memory>

#include "common/desktop_open_error.h"
#include "common/result.h"
#include "platform/desktop/desktop.h"

namespace pointilla::platform::wayland {

// Connects to $WAYLAND_DISPLAY. CompositorLacks names what is missing
// (zwlr_virtual_pointer_manager_v1, zxdg_output_manager_v1).
Result<std::unique_ptr<Desktop>, DesktopOpenError> openWlrootsDesktop();

}  // namespace pointilla::platform::wayland
