#pragma once
// A remote-desktop session of GNOME's compositor with one screen-cast stream
// of a monitor: the stream names where injected absolute motion lands, and
// carries the pointer's position as cursor metadata.
//
// Two routes start one. The RemoteDesktop portal is the one for people: the
// desktop asks them once per start whether the program may control it.
// mutter's own org.gnome.Mutter.RemoteDesktop and ScreenCast interfaces, which
// the portal itself drives, ask nobody; they serve where no one can answer the
// question (headless test beds).

#include <cstdint>
#include <memory>

#include "common/result.h"
#include "platform/desktop/desktop.h"
#include "platform/posix/unique_fd.h"
#include "platform/wayland/gnome/bus_calls.h"
#include "platform/wayland/gnome/call_pipeline.h"

namespace pointilla::platform::wayland::gnome {

// Linux input button codes, as both routes take them.
inline constexpr int kLeftButtonCode = 0x110;  // BTN_LEFT, 272

struct StreamGeometry {
    uint32_t pipeWireNode = 0;
    ScreenSize size;  // the monitor's size in the compositor's logical pixels
};

class RemoteSession {
  public:
    virtual ~RemoteSession() = default;
    const StreamGeometry& stream() const { return stream_; }
    // The connection to PipeWire that may see the stream; an empty fd means
    // the user's own PipeWire daemon.
    virtual posix::UniqueFd openPipeWire() = 0;
    // Absolute motion to (x, y) on the stream's monitor, in its pixels, and a
    // button, each sent without awaiting the reply (call_pipeline.h): a failure
    // is told by a later call, or by awaitSent(), which returns once all were
    // taken.
    virtual Status<BusFailure> moveTo(double x, double y) = 0;
    virtual Status<BusFailure> button(int code, bool pressed) = 0;
    virtual Status<BusFailure> awaitSent() = 0;

  protected:
    StreamGeometry stream_;
};

// Through org.freedesktop.portal.RemoteDesktop and ScreenCast: pointer only,
// one monitor, the cursor sent as metadata. Blocks until the user has answered.
Result<std::unique_ptr<RemoteSession>, BusFailure> startPortalSession(BusHandle bus);

// Through org.gnome.Mutter.RemoteDesktop and ScreenCast, on the primary monitor.
Result<std::unique_ptr<RemoteSession>, BusFailure> startMutterSession(BusHandle bus);

}  // namespace pointilla::platform::wayland::gnome
