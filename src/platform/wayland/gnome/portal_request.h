#pragma once
// A portal request: the method is called with a handle_token among its options
// and answers later, through the Response signal of a Request object whose path
// the token decides. Subscribing before the call means no answer is missed.

#include <chrono>
#include <memory>
#include <string>

#include "platform/wayland/gnome/bus_calls.h"

namespace pointilla::platform::wayland::gnome {

inline constexpr const char* kPortalService = "org.freedesktop.portal.Desktop";
inline constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";

class PortalRequest {
  public:
    // A fresh token, unique in this process, for handle_token and session_handle_token.
    static std::string newToken();

    // Subscribes to the Response of the request `token` will name.
    static Result<PortalRequest, BusFailure> expect(sd_bus* bus, const std::string& token);

    // Waits for the Response. On success (code 0) the reply is positioned at its
    // results dictionary; a refusal or a timeout is a failure naming `what`.
    Result<MessageHandle, BusFailure> wait(std::chrono::milliseconds timeout,
                                           const std::string& what);

  private:
    struct Pending {
        MessageHandle response;
    };
    static int onResponse(sd_bus_message* message, void* pending, sd_bus_error* error);

    sd_bus* bus_ = nullptr;
    std::unique_ptr<Pending> pending_;
    SlotHandle slot_;
};

// How long a portal may take over an answer that asks nobody.
inline constexpr std::chrono::milliseconds kQuickAnswer = std::chrono::seconds(30);

// Calls CreateSession on the portal's `interface` and waits for the session's
// handle (a string in older portals, an object path in newer ones).
Result<std::string, BusFailure> createPortalSession(sd_bus* bus, const char* interface);

}  // namespace pointilla::platform::wayland::gnome
