#include "platform/wayland/gnome/portal_request.h"

#include <unistd.h>

#include <atomic>
#include <cstring>
#include <string_view>

#include "platform/wayland/gnome/bus_dict.h"

namespace pointilla::platform::wayland::gnome {

std::string PortalRequest::newToken() {
    static std::atomic<unsigned> counter{0};
    return "pointilla" + std::to_string(::getpid()) + "_" + std::to_string(++counter);
}

Result<PortalRequest, BusFailure> PortalRequest::expect(sd_bus* bus, const std::string& token) {
    const char* unique = nullptr;
    const int r = sd_bus_get_unique_name(bus, &unique);
    if (r < 0) return fail(BusFailure("session D-Bus: ") + std::strerror(-r));
    // ":1.42" becomes "1_42" in the request's path.
    std::string sender(unique + 1);
    for (char& c : sender) {
        if (c == '.') c = '_';
    }
    const std::string path = std::string(kPortalPath) + "/request/" + sender + "/" + token;

    PortalRequest request;
    request.bus_ = bus;
    request.pending_ = std::make_unique<Pending>();
    sd_bus_slot* slot = nullptr;
    const int m =
        sd_bus_match_signal(bus, &slot, nullptr, path.c_str(), "org.freedesktop.portal.Request",
                            "Response", &onResponse, request.pending_.get());
    if (m < 0) return fail(BusFailure("org.freedesktop.portal.Request: ") + std::strerror(-m));
    request.slot_.reset(slot);
    return request;
}

int PortalRequest::onResponse(sd_bus_message* message, void* pending, sd_bus_error* /*error*/) {
    static_cast<Pending*>(pending)->response.reset(sd_bus_message_ref(message));
    return 0;
}

Result<MessageHandle, BusFailure> PortalRequest::wait(std::chrono::milliseconds timeout,
                                                      const std::string& what) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + timeout;
    while (!pending_->response) {
        const int processed = sd_bus_process(bus_, nullptr);
        if (processed < 0) return fail(what + ": " + std::strerror(-processed));
        if (processed > 0) continue;
        const auto left = deadline - Clock::now();
        if (left <= Clock::duration::zero()) return fail(what + ": no answer");
        const auto usec = std::chrono::duration_cast<std::chrono::microseconds>(left).count();
        const int waited = sd_bus_wait(bus_, static_cast<uint64_t>(usec));
        if (waited < 0) return fail(what + ": " + std::strerror(-waited));
    }
    MessageHandle response = std::move(pending_->response);
    uint32_t code = 2;
    if (sd_bus_message_read_basic(response.get(), SD_BUS_TYPE_UINT32, &code) < 0) {
        return fail(what + ": unreadable answer");
    }
    if (code == 1) return fail(what + ": refused by the user");
    if (code != 0) return fail(what + ": refused");
    return response;
}

Result<std::string, BusFailure> createPortalSession(sd_bus* bus, const char* interface) {
    const std::string what = std::string(interface) + ".CreateSession";
    const std::string token = PortalRequest::newToken();
    auto pending = PortalRequest::expect(bus, token);
    if (!pending) return fail(pending.error());
    auto call = newMethodCall(bus, kPortalService, kPortalPath, interface, "CreateSession");
    if (!call) return fail(call.error());
    sd_bus_message_append(call->get(), "a{sv}", 2, "handle_token", "s", token.c_str(),
                          "session_handle_token", "s", PortalRequest::newToken().c_str());
    if (auto reply = callMethod(bus, call->get()); !reply) return fail(reply.error());
    auto answer = pending->wait(kQuickAnswer, what);
    if (!answer) return fail(answer.error());
    std::string handle;
    readDict(answer->get(), [&](std::string_view key, sd_bus_message* m) {
        char type = 0;
        const char* value = nullptr;
        if (key != "session_handle" || sd_bus_message_peek_type(m, &type, nullptr) < 0 ||
            sd_bus_message_read_basic(m, type, &value) < 0) {
            return false;
        }
        handle = value;
        return true;
    });
    if (handle.empty()) return fail(what + ": no session");
    return handle;
}

}  // namespace pointilla::platform::wayland::gnome
