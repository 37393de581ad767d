#pragma once
// Method calls sent one after another without awaiting each reply. The bus
// delivers a connection's messages in order and the compositor handles them in
// that order, so a move or a press need not wait for the one before: awaiting
// each one cost a full round trip through the bus and the compositor's main
// loop a move. The replies are still all taken, and the first failure among
// them is told by the next send or await.

#include <cstddef>
#include <optional>

#include "common/result.h"
#include "platform/wayland/gnome/bus_calls.h"

namespace pointilla::platform::wayland::gnome {

class CallPipeline {
  public:
    // Calls awaiting their reply at most: enough to keep the compositor busy,
    // few enough to stay far below the bus's limit of replies a connection may
    // wait for.
    static constexpr std::size_t kInFlight = 256;

    explicit CallPipeline(sd_bus* bus) : bus_(bus) {}
    // The replies still to come refer to this object: they are awaited.
    ~CallPipeline() { static_cast<void>(awaitAll()); }
    CallPipeline(const CallPipeline&) = delete;
    CallPipeline& operator=(const CallPipeline&) = delete;

    // Sends the call, first awaiting the oldest replies while kInFlight wait.
    Status<BusFailure> send(sd_bus_message* call);
    // Returns once every call sent has its reply.
    Status<BusFailure> awaitAll() { return awaitBelow(1); }
    std::size_t inFlight() const { return inFlight_; }

  private:
    static int onReply(sd_bus_message* reply, void* self, sd_bus_error* error);
    Status<BusFailure> awaitBelow(std::size_t count);

    sd_bus* bus_;
    std::size_t inFlight_ = 0;
    std::optional<BusFailure> failed_;
};

}  // namespace pointilla::platform::wayland::gnome
