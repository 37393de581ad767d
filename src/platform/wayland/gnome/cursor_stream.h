#pragma once
// The pointer's position as a screen-cast stream reports it: the cursor
// metadata of each buffer, read on PipeWire's own thread. The frames themselves
// are never mapped nor copied.

#include <memory>
#include <optional>
#include <string>

#include "common/result.h"
#include "platform/desktop/desktop.h"
#include "platform/posix/unique_fd.h"

namespace pointilla::platform::wayland::gnome {

class CursorStream {
  public:
    // Connects to PipeWire through `remote` (empty: the user's daemon) and to the
    // stream's node.
    static Result<std::unique_ptr<CursorStream>, std::string> open(posix::UniqueFd remote,
                                                                   uint32_t node);
    virtual ~CursorStream() = default;

    // The last position reported, relative to the monitor's top-left corner;
    // nullopt before the first report, or while the pointer is off the monitor.
    virtual std::optional<ScreenPoint> position() const = 0;
};

}  // namespace pointilla::platform::wayland::gnome
