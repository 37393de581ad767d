#include "frame_grab.h"

#include <pipewire/pipewire.h>
#include <spa/param/video/format-utils.h>

#include <chrono>
#include <mutex>
#include <string>

#include "platform/wayland/gnome/bus_calls.h"

namespace pointilla::testing {
namespace {

using namespace platform;
using namespace platform::wayland::gnome;
constexpr const char* kScreenCast = "org.gnome.Mutter.ScreenCast";

struct Capture {
    pw_main_loop* loop = nullptr;
    pw_stream* stream = nullptr;
    spa_video_info_raw format{};
    QImage image;
};

void onParamChanged(void* data, uint32_t id, const spa_pod* param) {
    auto* capture = static_cast<Capture*>(data);
    if (param != nullptr && id == SPA_PARAM_Format) {
        spa_format_video_raw_parse(param, &capture->format);
    }
}

void onProcess(void* data) {
    auto* capture = static_cast<Capture*>(data);
    pw_buffer* buffer = pw_stream_dequeue_buffer(capture->stream);
    if (buffer == nullptr) return;
    const spa_data& plane = buffer->buffer->datas[0];
    if (plane.data != nullptr && plane.chunk->size > 0 && capture->image.isNull()) {
        capture->image = QImage(static_cast<const uchar*>(plane.data),
                                static_cast<int>(capture->format.size.width),
                                static_cast<int>(capture->format.size.height), plane.chunk->stride,
                                QImage::Format_RGB32)
                             .copy();
        pw_main_loop_quit(capture->loop);
    }
    pw_stream_queue_buffer(capture->stream, buffer);
}

int onStreamAdded(sd_bus_message* message, void* node, sd_bus_error* /*error*/) {
    sd_bus_message_read_basic(message, 'u', node);
    return 0;
}

// Calls member on path with the arguments appended by `append`; the reply's
// object path, or empty.
template <class Append>
std::string callForPath(sd_bus* bus, const char* path, const char* interface, const char* member,
                        Append append) {
    auto call = newMethodCall(bus, kScreenCast, path, interface, member);
    if (!call) return {};
    append(call->get());
    auto reply = callMethod(bus, call->get());
    const char* result = nullptr;
    if (!reply || sd_bus_message_read_basic(reply->get(), 'o', &result) < 0) return {};
    return result;
}

}  // namespace

std::optional<QImage> grabPrimaryMonitor() {
    auto bus = openSessionBus();
    if (!bus) return std::nullopt;
    sd_bus* b = bus->get();
    const std::string session =
        callForPath(b, "/org/gnome/Mutter/ScreenCast", kScreenCast, "CreateSession",
                    [](sd_bus_message* m) { sd_bus_message_append(m, "a{sv}", 0); });
    if (session.empty()) return std::nullopt;
    const std::string stream = callForPath(
        b, session.c_str(), "org.gnome.Mutter.ScreenCast.Session", "RecordMonitor",
        [](sd_bus_message* m) {
            sd_bus_message_append(m, "sa{sv}", "", 1, "cursor-mode", "u", 1u);  // drawn in
        });
    if (stream.empty()) return std::nullopt;
    uint32_t node = 0;
    sd_bus_slot* slot = nullptr;
    sd_bus_match_signal(b, &slot, nullptr, stream.c_str(), "org.gnome.Mutter.ScreenCast.Stream",
                        "PipeWireStreamAdded", &onStreamAdded, &node);
    const SlotHandle subscription(slot);
    auto start = newMethodCall(b, kScreenCast, session.c_str(),
                               "org.gnome.Mutter.ScreenCast.Session", "Start");
    if (!start || !callMethod(b, start->get())) return std::nullopt;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (node == 0 && std::chrono::steady_clock::now() < deadline) {
        if (sd_bus_process(b, nullptr) == 0) sd_bus_wait(b, 100'000);
    }
    if (node == 0) return std::nullopt;

    static std::once_flag initialised;
    std::call_once(initialised, [] { pw_init(nullptr, nullptr); });
    Capture capture;
    capture.loop = pw_main_loop_new(nullptr);
    pw_loop* loop = pw_main_loop_get_loop(capture.loop);
    pw_context* context = pw_context_new(loop, nullptr, 0);
    pw_core* core = pw_context_connect(context, nullptr, 0);
    if (core != nullptr) {
        capture.stream = pw_stream_new(core, "frame-grab",
                                       pw_properties_new(PW_KEY_MEDIA_TYPE, "Video", nullptr));
        pw_stream_events events{};
        events.version = PW_VERSION_STREAM_EVENTS;
        events.param_changed = &onParamChanged;
        events.process = &onProcess;
        spa_hook listener{};
        pw_stream_add_listener(capture.stream, &listener, &events, &capture);
        uint8_t buffer[512];
        spa_pod_builder builder = SPA_POD_BUILDER_INIT(buffer, sizeof(buffer));
        const spa_pod* params[1] = {static_cast<const spa_pod*>(spa_pod_builder_add_object(
            &builder, SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat, SPA_FORMAT_mediaType,
            SPA_POD_Id(SPA_MEDIA_TYPE_video), SPA_FORMAT_mediaSubtype,
            SPA_POD_Id(SPA_MEDIA_SUBTYPE_raw), SPA_FORMAT_VIDEO_format,
            SPA_POD_CHOICE_ENUM_Id(3, SPA_VIDEO_FORMAT_BGRx, SPA_VIDEO_FORMAT_BGRx,
                                   SPA_VIDEO_FORMAT_BGRA)))};
        pw_stream_connect(
            capture.stream, PW_DIRECTION_INPUT, node,
            static_cast<pw_stream_flags>(PW_STREAM_FLAG_AUTOCONNECT | PW_STREAM_FLAG_MAP_BUFFERS),
            params, 1);
        spa_source* timeout = pw_loop_add_timer(
            loop, [](void* main, uint64_t) { pw_main_loop_quit(static_cast<pw_main_loop*>(main)); },
            capture.loop);
        timespec tenSeconds{10, 0};
        pw_loop_update_timer(loop, timeout, &tenSeconds, nullptr, false);
        pw_main_loop_run(capture.loop);
        pw_stream_destroy(capture.stream);
        pw_core_disconnect(core);
    }
    pw_context_destroy(context);
    pw_main_loop_destroy(capture.loop);
    auto stop = newMethodCall(b, kScreenCast, session.c_str(),
                              "org.gnome.Mutter.ScreenCast.Session", "Stop");
    if (stop) static_cast<void>(callMethod(b, stop->get()));
    if (capture.image.isNull()) return std::nullopt;
    return capture.image;
}

}  // namespace pointilla::testing
