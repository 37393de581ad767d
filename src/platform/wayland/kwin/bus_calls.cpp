#include "platform/wayland/kwin/bus_calls.h"

namespace pointilla::platform::wayland::kwin {

Result<MessageHandle, BusError> callMethod(sd_bus* bus, const char* destination, const char* path,
                                           const char* interface, const char* member,
                                           const std::function<int(sd_bus_message*)>& append) {
    sd_bus_message* raw = nullptr;
    int code = sd_bus_message_new_method_call(bus, &raw, destination, path, interface, member);
    MessageHandle call(raw);
    if (code < 0) return fail(BusError{"errno", std::to_string(-code)});
    if (append) {
        code = append(call.get());
        if (code < 0) return fail(BusError{"errno", std::to_string(-code)});
    }
    ScopedBusError error;
    sd_bus_message* reply = nullptr;
    code = sd_bus_call(bus, call.get(), 0, error.get(), &reply);
    if (code < 0) return fail(error.take(code));
    return MessageHandle(reply);
}

bool handlePending(sd_bus* bus) {
    int handled = 0;
    while ((handled = sd_bus_process(bus, nullptr)) > 0) {
    }
    return handled == 0;
}

bool handleUntil(sd_bus* bus, const std::function<bool()>& done,
                 std::chrono::milliseconds timeout) {
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + timeout;
    while (true) {
        if (!handlePending(bus)) return false;
        if (done()) return true;
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(end - Clock::now());
        if (left.count() <= 0) return false;
        if (sd_bus_wait(bus, static_cast<std::uint64_t>(left.count())) < 0) return false;
    }
}

}  // namespace pointilla::platform::wayland::kwin
