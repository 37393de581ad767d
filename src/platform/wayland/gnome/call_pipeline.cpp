#include "platform/wayland/gnome/call_pipeline.h"

#include <cstring>
#include <string>

namespace pointilla::platform::wayland::gnome {
namespace {

// As for the calls awaited one by one (bus_calls.cpp).
constexpr uint64_t kReplyTimeoutUsec = 10'000'000;

std::string where(sd_bus_message* message) {
    const char* interface = sd_bus_message_get_interface(message);
    const char* member = sd_bus_message_get_member(message);
    return std::string(interface != nullptr ? interface : "?") + "." +
           (member != nullptr ? member : "?");
}

}  // namespace

Status<BusFailure> CallPipeline::send(sd_bus_message* call) {
    if (auto room = awaitBelow(kInFlight); !room) return room;
    // A floating slot: the bus keeps it until the reply (or its timeout) comes.
    const int r = sd_bus_call_async(bus_, nullptr, call, &onReply, this, kReplyTimeoutUsec);
    if (r < 0) return fail(where(call) + ": " + std::strerror(-r));
    ++inFlight_;
    return {};
}

int CallPipeline::onReply(sd_bus_message* reply, void* self, sd_bus_error* /*error*/) {
    auto* pipeline = static_cast<CallPipeline*>(self);
    --pipeline->inFlight_;
    const sd_bus_error* refused = sd_bus_message_get_error(reply);
    if (refused != nullptr && !pipeline->failed_) {
        pipeline->failed_ = std::string(refused->name != nullptr ? refused->name : "?") + ": " +
                            (refused->message != nullptr ? refused->message : "");
    }
    return 0;
}

Status<BusFailure> CallPipeline::awaitBelow(std::size_t count) {
    // Every reply up to the count is taken, a failure among them or not: each
    // one's slot refers to this object.
    while (inFlight_ >= count) {
        const int r = sd_bus_process(bus_, nullptr);
        if (r < 0) return fail(BusFailure("session D-Bus: ") + std::strerror(-r));
        if (r > 0) continue;
        const int waited = sd_bus_wait(bus_, UINT64_MAX);
        if (waited < 0) return fail(BusFailure("session D-Bus: ") + std::strerror(-waited));
    }
    if (failed_) return fail(*failed_);
    return {};
}

}  // namespace pointilla::platform::wayland::gnome
