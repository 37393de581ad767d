// mutter's own route: RemoteDesktop.CreateSession, a ScreenCast session tied to
// it recording the primary monitor with the cursor as metadata, Start, then the
// stream's PipeWireStreamAdded signal names the PipeWire node.

#include <chrono>
#include <string>

#include "platform/wayland/gnome/bus_dict.h"
#include "platform/wayland/gnome/remote_session.h"

namespace pointilla::platform::wayland::gnome {
namespace {

constexpr const char* kRemoteDesktopService = "org.gnome.Mutter.RemoteDesktop";
constexpr const char* kScreenCastService = "org.gnome.Mutter.ScreenCast";
constexpr const char* kRemoteDesktopSession = "org.gnome.Mutter.RemoteDesktop.Session";
constexpr const char* kScreenCastStream = "org.gnome.Mutter.ScreenCast.Stream";
constexpr uint32_t kCursorAsMetadata = 2;
constexpr auto kStreamTimeout = std::chrono::seconds(10);

class MutterSession final : public RemoteSession {
  public:
    MutterSession(BusHandle bus, std::string session)
        : bus_(std::move(bus)), session_(std::move(session)) {}
    ~MutterSession() override {
        static_cast<void>(calls_.awaitAll());
        auto call = newMethodCall(bus_.get(), kRemoteDesktopService, session_.c_str(),
                                  kRemoteDesktopSession, "Stop");
        if (call) static_cast<void>(callMethod(bus_.get(), call->get()));
    }
    MutterSession(const MutterSession&) = delete;
    MutterSession& operator=(const MutterSession&) = delete;

    Status<BusFailure> start();

    posix::UniqueFd openPipeWire() override { return {}; }
    Status<BusFailure> moveTo(double x, double y) override;
    Status<BusFailure> button(int code, bool pressed) override;
    Status<BusFailure> awaitSent() override { return calls_.awaitAll(); }

  private:
    static int onStreamAdded(sd_bus_message* message, void* self, sd_bus_error* error);
    Status<BusFailure> waitForNode();
    Status<BusFailure> readSize();

    BusHandle bus_;
    std::string session_;
    std::string streamPath_;
    bool haveNode_ = false;
    CallPipeline calls_{bus_.get()};
};

Status<BusFailure> MutterSession::start() {
    auto id = getProperty(bus_.get(), kRemoteDesktopService, session_.c_str(),
                          kRemoteDesktopSession, "SessionId", "s");
    if (!id) return fail(id.error());
    const char* sessionId = nullptr;
    sd_bus_message_read_basic(id->get(), 's', &sessionId);

    auto create = newMethodCall(bus_.get(), kScreenCastService, "/org/gnome/Mutter/ScreenCast",
                                kScreenCastService, "CreateSession");
    if (!create) return fail(create.error());
    sd_bus_message_append(create->get(), "a{sv}", 1, "remote-desktop-session-id", "s",
                          sessionId != nullptr ? sessionId : "");
    auto cast = callMethod(bus_.get(), create->get());
    if (!cast) return fail(cast.error());
    const char* castPath = nullptr;
    sd_bus_message_read_basic(cast->get(), 'o', &castPath);

    // An empty connector asks for the primary monitor.
    auto record = newMethodCall(bus_.get(), kScreenCastService, castPath,
                                "org.gnome.Mutter.ScreenCast.Session", "RecordMonitor");
    if (!record) return fail(record.error());
    sd_bus_message_append(record->get(), "sa{sv}", "", 1, "cursor-mode", "u", kCursorAsMetadata);
    auto recorded = callMethod(bus_.get(), record->get());
    if (!recorded) return fail(recorded.error());
    const char* streamPath = nullptr;
    sd_bus_message_read_basic(recorded->get(), 'o', &streamPath);
    streamPath_ = streamPath != nullptr ? streamPath : "";

    sd_bus_slot* slot = nullptr;
    if (sd_bus_match_signal(bus_.get(), &slot, kScreenCastService, streamPath_.c_str(),
                            kScreenCastStream, "PipeWireStreamAdded", &onStreamAdded, this) < 0) {
        return fail(BusFailure(kScreenCastStream) + ".PipeWireStreamAdded");
    }
    const SlotHandle subscription(slot);

    auto startCall = newMethodCall(bus_.get(), kRemoteDesktopService, session_.c_str(),
                                   kRemoteDesktopSession, "Start");
    if (!startCall) return fail(startCall.error());
    auto started = callMethod(bus_.get(), startCall->get());
    if (!started) return fail(started.error());
    if (auto node = waitForNode(); !node) return node;
    return readSize();
}

int MutterSession::onStreamAdded(sd_bus_message* message, void* self, sd_bus_error* /*error*/) {
    auto* session = static_cast<MutterSession*>(self);
    if (sd_bus_message_read_basic(message, 'u', &session->stream_.pipeWireNode) >= 0) {
        session->haveNode_ = true;
    }
    return 0;
}

Status<BusFailure> MutterSession::waitForNode() {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + kStreamTimeout;
    while (!haveNode_) {
        const int processed = sd_bus_process(bus_.get(), nullptr);
        if (processed < 0) return fail(BusFailure(kScreenCastStream) + ": connection lost");
        if (processed > 0) continue;
        const auto left =
            std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
        if (left.count() <= 0) return fail(BusFailure(kScreenCastStream) + ".PipeWireStreamAdded");
        sd_bus_wait(bus_.get(), static_cast<uint64_t>(left.count()));
    }
    return {};
}

Status<BusFailure> MutterSession::readSize() {
    auto parameters = getProperty(bus_.get(), kScreenCastService, streamPath_.c_str(),
                                  kScreenCastStream, "Parameters", "a{sv}");
    if (!parameters) return fail(parameters.error());
    readDict(parameters->get(), [&](std::string_view key, sd_bus_message* m) {
        if (key != "size") return false;
        return readIntPair(m, stream_.size.width, stream_.size.height);
    });
    if (stream_.size.width <= 0 || stream_.size.height <= 0) {
        return fail(BusFailure(kScreenCastStream) + ".Parameters: size");
    }
    return {};
}

Status<BusFailure> MutterSession::moveTo(double x, double y) {
    auto call = newMethodCall(bus_.get(), kRemoteDesktopService, session_.c_str(),
                              kRemoteDesktopSession, "NotifyPointerMotionAbsolute");
    if (!call) return fail(call.error());
    sd_bus_message_append(call->get(), "sdd", streamPath_.c_str(), x, y);
    return calls_.send(call->get());
}

Status<BusFailure> MutterSession::button(int code, bool pressed) {
    auto call = newMethodCall(bus_.get(), kRemoteDesktopService, session_.c_str(),
                              kRemoteDesktopSession, "NotifyPointerButton");
    if (!call) return fail(call.error());
    sd_bus_message_append(call->get(), "ib", code, static_cast<int>(pressed));
    return calls_.send(call->get());
}

}  // namespace

Result<std::unique_ptr<RemoteSession>, BusFailure> startMutterSession(BusHandle bus) {
    auto create = newMethodCall(bus.get(), kRemoteDesktopService, "/org/gnome/Mutter/RemoteDesktop",
                                kRemoteDesktopService, "CreateSession");
    if (!create) return fail(create.error());
    auto created = callMethod(bus.get(), create->get());
    if (!created) return fail(BusFailure(kRemoteDesktopService));
    const char* path = nullptr;
    sd_bus_message_read_basic(created->get(), 'o', &path);
    auto session = std::make_unique<MutterSession>(std::move(bus), path != nullptr ? path : "");
    if (auto s = session->start(); !s) return fail(s.error());
    return std::unique_ptr<RemoteSession>(std::move(session));
}

}  // namespace pointilla::platform::wayland::gnome
