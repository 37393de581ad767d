// The RemoteDesktop portal's route: CreateSession, SelectDevices (pointer),
// ScreenCast.SelectSources (one monitor, cursor as metadata), Start, which asks
// the user, then OpenPipeWireRemote for the stream.

#include <fcntl.h>

#include <string>

#include "platform/wayland/gnome/bus_dict.h"
#include "platform/wayland/gnome/portal_request.h"
#include "platform/wayland/gnome/remote_session.h"

namespace pointilla::platform::wayland::gnome {
namespace {

constexpr const char* kRemoteDesktop = "org.freedesktop.portal.RemoteDesktop";
constexpr const char* kScreenCast = "org.freedesktop.portal.ScreenCast";
constexpr uint32_t kPointerDevice = 2;
constexpr uint32_t kMonitorSource = 1;
constexpr uint32_t kCursorAsMetadata = 4;
constexpr auto kPersonAnswers = std::chrono::minutes(5);

class PortalSession final : public RemoteSession {
  public:
    PortalSession(BusHandle bus, std::string handle)
        : bus_(std::move(bus)), handle_(std::move(handle)) {}
    ~PortalSession() override {
        static_cast<void>(calls_.awaitAll());
        auto call = newMethodCall(bus_.get(), kPortalService, handle_.c_str(),
                                  "org.freedesktop.portal.Session", "Close");
        if (call) static_cast<void>(callMethod(bus_.get(), call->get()));
    }
    PortalSession(const PortalSession&) = delete;
    PortalSession& operator=(const PortalSession&) = delete;

    // Steps after CreateSession; each waits for its Response.
    Status<BusFailure> selectDevices();
    Status<BusFailure> selectSources();
    Status<BusFailure> start();

    posix::UniqueFd openPipeWire() override;
    Status<BusFailure> moveTo(double x, double y) override;
    Status<BusFailure> button(int code, bool pressed) override;
    Status<BusFailure> awaitSent() override { return calls_.awaitAll(); }

  private:
    // Calls interface.member(session, {handle_token, extra...}) and waits for its Response.
    template <class AppendOptions>
    Result<MessageHandle, BusFailure> request(const char* interface, const char* member,
                                              std::chrono::milliseconds timeout,
                                              AppendOptions appendOptions);

    BusHandle bus_;
    std::string handle_;
    uint32_t streamId_ = 0;
    CallPipeline calls_{bus_.get()};
};

template <class AppendOptions>
Result<MessageHandle, BusFailure> PortalSession::request(const char* interface, const char* member,
                                                         std::chrono::milliseconds timeout,
                                                         AppendOptions appendOptions) {
    const std::string what = std::string(interface) + "." + member;
    const std::string token = PortalRequest::newToken();
    auto pending = PortalRequest::expect(bus_.get(), token);
    if (!pending) return fail(pending.error());
    auto call = newMethodCall(bus_.get(), kPortalService, kPortalPath, interface, member);
    if (!call) return fail(call.error());
    if (sd_bus_message_append(call->get(), "o", handle_.c_str()) < 0 ||
        !appendOptions(call->get(), token.c_str())) {
        return fail(what + ": arguments refused");
    }
    auto reply = callMethod(bus_.get(), call->get());
    if (!reply) return fail(reply.error());
    return pending->wait(timeout, what);
}

Status<BusFailure> PortalSession::selectDevices() {
    auto answer = request(
        kRemoteDesktop, "SelectDevices", kQuickAnswer, [](sd_bus_message* call, const char* token) {
            return sd_bus_message_append(call, "a{sv}", 2, "handle_token", "s", token, "types", "u",
                                         kPointerDevice) >= 0;
        });
    if (!answer) return fail(answer.error());
    return {};
}

Status<BusFailure> PortalSession::selectSources() {
    auto modes = getProperty(bus_.get(), kPortalService, kPortalPath, kScreenCast,
                             "AvailableCursorModes", "u");
    if (!modes) return fail(modes.error());
    uint32_t available = 0;
    sd_bus_message_read_basic(modes->get(), SD_BUS_TYPE_UINT32, &available);
    if ((available & kCursorAsMetadata) == 0) {
        return fail(BusFailure(kScreenCast) + ".AvailableCursorModes: metadata");
    }
    auto answer = request(
        kScreenCast, "SelectSources", kQuickAnswer, [](sd_bus_message* call, const char* token) {
            return sd_bus_message_append(call, "a{sv}", 4, "handle_token", "s", token, "types", "u",
                                         kMonitorSource, "multiple", "b", 0, "cursor_mode", "u",
                                         kCursorAsMetadata) >= 0;
        });
    if (!answer) return fail(answer.error());
    return {};
}

Status<BusFailure> PortalSession::start() {
    auto answer = request(
        kRemoteDesktop, "Start", kPersonAnswers, [](sd_bus_message* call, const char* token) {
            return sd_bus_message_append(call, "s", "") >= 0 &&
                   sd_bus_message_append(call, "a{sv}", 1, "handle_token", "s", token) >= 0;
        });
    if (!answer) return fail(answer.error());
    bool haveStream = false;
    uint32_t devices = 0;
    const bool read = readDict(answer->get(), [&](std::string_view key, sd_bus_message* m) {
        if (key == "devices") return sd_bus_message_read_basic(m, 'u', &devices) >= 0;
        if (key != "streams" || sd_bus_message_enter_container(m, 'a', "(ua{sv})") < 0) {
            return false;
        }
        // One monitor was asked for: the first stream is it.
        if (sd_bus_message_enter_container(m, 'r', "ua{sv}") > 0) {
            sd_bus_message_read_basic(m, 'u', &streamId_);
            haveStream = readDict(m, [&](std::string_view field, sd_bus_message* value) {
                if (field != "size") return false;
                return readIntPair(value, stream_.size.width, stream_.size.height);
            });
            sd_bus_message_exit_container(m);
        }
        while (sd_bus_message_skip(m, "(ua{sv})") > 0) {
        }
        sd_bus_message_exit_container(m);
        return true;
    });
    if (!read || !haveStream) return fail(BusFailure(kRemoteDesktop) + ".Start: no stream shared");
    if ((devices & kPointerDevice) == 0) {
        return fail(BusFailure(kRemoteDesktop) + ".Start: pointer not granted");
    }
    stream_.pipeWireNode = streamId_;
    return {};
}

posix::UniqueFd PortalSession::openPipeWire() {
    auto call =
        newMethodCall(bus_.get(), kPortalService, kPortalPath, kScreenCast, "OpenPipeWireRemote");
    if (!call || sd_bus_message_append(call->get(), "oa{sv}", handle_.c_str(), 0) < 0) return {};
    auto reply = callMethod(bus_.get(), call->get());
    int fd = -1;
    if (!reply || sd_bus_message_read_basic(reply->get(), SD_BUS_TYPE_UNIX_FD, &fd) < 0) return {};
    // The reply owns its descriptor; keep a copy of our own.
    return posix::UniqueFd(::fcntl(fd, F_DUPFD_CLOEXEC, 3));
}

Status<BusFailure> PortalSession::moveTo(double x, double y) {
    auto call = newMethodCall(bus_.get(), kPortalService, kPortalPath, kRemoteDesktop,
                              "NotifyPointerMotionAbsolute");
    if (!call) return fail(call.error());
    sd_bus_message_append(call->get(), "oa{sv}udd", handle_.c_str(), 0, streamId_, x, y);
    return calls_.send(call->get());
}

Status<BusFailure> PortalSession::button(int code, bool pressed) {
    auto call = newMethodCall(bus_.get(), kPortalService, kPortalPath, kRemoteDesktop,
                              "NotifyPointerButton");
    if (!call) return fail(call.error());
    sd_bus_message_append(call->get(), "oa{sv}iu", handle_.c_str(), 0, code,
                          static_cast<uint32_t>(pressed ? 1 : 0));
    return calls_.send(call->get());
}

}  // namespace

Result<std::unique_ptr<RemoteSession>, BusFailure> startPortalSession(BusHandle bus) {
    auto version =
        getProperty(bus.get(), kPortalService, kPortalPath, kRemoteDesktop, "version", "u");
    if (!version) return fail(BusFailure(kRemoteDesktop));

    auto handle = createPortalSession(bus.get(), kRemoteDesktop);
    if (!handle) return fail(handle.error());

    auto session = std::make_unique<PortalSession>(std::move(bus), *handle);
    if (auto s = session->selectDevices(); !s) return fail(s.error());
    if (auto s = session->selectSources(); !s) return fail(s.error());
    if (auto s = session->start(); !s) return fail(s.error());
    return std::unique_ptr<RemoteSession>(std::move(session));
}

}  // namespace pointilla::platform::wayland::gnome
