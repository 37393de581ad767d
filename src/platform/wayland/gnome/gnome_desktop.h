#pragma once
// The desktop of a GNOME (mutter) Wayland session: pointer moves and clicks go
// through a remote-desktop session tied to a screen-cast stream of the primary
// monitor, the pointer's position comes back as that stream's cursor metadata,
// and the hot key through global shortcuts where the desktop offers them, or
// through Pointilla's GNOME Shell helper, which also reads the position exactly.
//
// Starting it asks the user, once, whether the program may control the
// desktop. POINTILLA_GNOME_SESSION=mutter uses mutter's own interfaces instead,
// which ask nobody: for test beds without a person to answer.
//
// mutter takes injected events in order but needs them at least 10 ms apart:
// each move or button change waits until 10 ms have passed since the previous
// one. The first move of a session also waits until it shows in the cursor
// metadata (a tenth of a second or so), since mutter loses what is sent before
// it has taken up the session's pointer.

#include <memory>

#include "common/desktop_open_error.h"
#include "common/result.h"
#include "platform/desktop/desktop.h"

namespace pointilla::platform::wayland {

Result<std::unique_ptr<Desktop>, DesktopOpenError> openGnomeDesktop();

}  // namespace pointilla::platform::wayland
