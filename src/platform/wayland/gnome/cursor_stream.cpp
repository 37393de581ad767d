#include "platform/wayland/gnome/cursor_stream.h"

#include <fcntl.h>
#include <pipewire/pipewire.h>
#include <spa/buffer/meta.h>
#include <spa/param/video/format-utils.h>
#include <spa/pod/builder.h>

#include <mutex>

namespace pointilla::platform::wayland::gnome {
namespace {

// Cursor metadata carries the cursor's image too; compositors send images of
// up to 384x384 pixels with 4 bytes each.
constexpr size_t cursorMetaSize(int width, int height) {
    return sizeof(spa_meta_cursor) + sizeof(spa_meta_bitmap) +
           static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
}

struct ThreadLoopDestroy {
    void operator()(pw_thread_loop* loop) const { pw_thread_loop_destroy(loop); }
};
struct ContextDestroy {
    void operator()(pw_context* context) const { pw_context_destroy(context); }
};
struct CoreDisconnect {
    void operator()(pw_core* core) const { pw_core_disconnect(core); }
};
struct StreamDestroy {
    void operator()(pw_stream* stream) const { pw_stream_destroy(stream); }
};

// Each buffer the compositor fills costs it a copy of the whole monitor, though
// only its cursor metadata is read here: ten a second match the pointer
// display's 100 ms refresh.
constexpr spa_fraction kMaxRate = SPA_FRACTION(10, 1);
constexpr spa_fraction kSlowestRate = SPA_FRACTION(1, 1);

// Holds the loop's lock for a scope.
class LoopLock {
  public:
    explicit LoopLock(pw_thread_loop* loop) : loop_(loop) { pw_thread_loop_lock(loop_); }
    ~LoopLock() { pw_thread_loop_unlock(loop_); }
    LoopLock(const LoopLock&) = delete;
    LoopLock& operator=(const LoopLock&) = delete;

  private:
    pw_thread_loop* loop_;
};

class PipeWireCursorStream final : public CursorStream {
  public:
    PipeWireCursorStream() {
        static std::once_flag initialised;
        std::call_once(initialised, [] { pw_init(nullptr, nullptr); });
    }
    ~PipeWireCursorStream() override {
        if (loop_) pw_thread_loop_stop(loop_.get());
        // Destroyed in reverse order of creation, with the loop stopped.
        spa_hook_remove(&listener_);
        stream_.reset();
        core_.reset();
        context_.reset();
        loop_.reset();
    }
    PipeWireCursorStream(const PipeWireCursorStream&) = delete;
    PipeWireCursorStream& operator=(const PipeWireCursorStream&) = delete;

    Status<std::string> connect(posix::UniqueFd remote, uint32_t node);

    std::optional<ScreenPoint> position() const override {
        const std::lock_guard lock(mutex_);
        return position_;
    }

  private:
    static void onParamChanged(void* self, uint32_t id, const spa_pod* param);
    static void onProcess(void* self);

    std::unique_ptr<pw_thread_loop, ThreadLoopDestroy> loop_;
    std::unique_ptr<pw_context, ContextDestroy> context_;
    std::unique_ptr<pw_core, CoreDisconnect> core_;
    std::unique_ptr<pw_stream, StreamDestroy> stream_;
    spa_hook listener_{};
    pw_stream_events events_{};

    mutable std::mutex mutex_;
    std::optional<ScreenPoint> position_;
};

Status<std::string> PipeWireCursorStream::connect(posix::UniqueFd remote, uint32_t node) {
    loop_.reset(pw_thread_loop_new("pointilla-cursor", nullptr));
    if (!loop_) return fail(std::string("PipeWire: no loop"));
    context_.reset(pw_context_new(pw_thread_loop_get_loop(loop_.get()), nullptr, 0));
    if (!context_) return fail(std::string("PipeWire: no context"));
    if (pw_thread_loop_start(loop_.get()) < 0) return fail(std::string("PipeWire: no thread"));

    const LoopLock lock(loop_.get());
    // pw_context_connect_fd takes its descriptor over, on failure too: give it a copy.
    core_.reset(remote ? pw_context_connect_fd(
                             context_.get(), ::fcntl(remote.get(), F_DUPFD_CLOEXEC, 3), nullptr, 0)
                       : pw_context_connect(context_.get(), nullptr, 0));
    if (!core_) return fail(std::string("PipeWire: daemon unreachable"));

    stream_.reset(
        pw_stream_new(core_.get(), "pointilla-cursor",
                      pw_properties_new(PW_KEY_MEDIA_TYPE, "Video", PW_KEY_MEDIA_CATEGORY,
                                        "Capture", PW_KEY_MEDIA_ROLE, "Screen", nullptr)));
    if (!stream_) return fail(std::string("PipeWire: no stream"));
    events_.version = PW_VERSION_STREAM_EVENTS;
    events_.param_changed = &onParamChanged;
    events_.process = &onProcess;
    pw_stream_add_listener(stream_.get(), &listener_, &events_, this);

    // Any raw video at the rate the compositor chooses: the frames are not looked at.
    uint8_t buffer[1024];
    spa_pod_builder builder = SPA_POD_BUILDER_INIT(buffer, sizeof(buffer));
    const spa_rectangle minSize = SPA_RECTANGLE(1, 1);
    const spa_rectangle defSize = SPA_RECTANGLE(1280, 1024);
    const spa_rectangle maxSize = SPA_RECTANGLE(16384, 16384);
    const spa_pod* params[1];
    params[0] = static_cast<const spa_pod*>(spa_pod_builder_add_object(
        &builder, SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat, SPA_FORMAT_mediaType,
        SPA_POD_Id(SPA_MEDIA_TYPE_video), SPA_FORMAT_mediaSubtype,
        SPA_POD_Id(SPA_MEDIA_SUBTYPE_raw), SPA_FORMAT_VIDEO_format,
        SPA_POD_CHOICE_ENUM_Id(6, SPA_VIDEO_FORMAT_BGRx, SPA_VIDEO_FORMAT_BGRx,
                               SPA_VIDEO_FORMAT_BGRA, SPA_VIDEO_FORMAT_RGBx, SPA_VIDEO_FORMAT_RGBA,
                               SPA_VIDEO_FORMAT_xRGB),
        SPA_FORMAT_VIDEO_size, SPA_POD_CHOICE_RANGE_Rectangle(&defSize, &minSize, &maxSize),
        SPA_FORMAT_VIDEO_maxFramerate,
        SPA_POD_CHOICE_RANGE_Fraction(&kMaxRate, &kSlowestRate, &kMaxRate)));
    const int r = pw_stream_connect(stream_.get(), PW_DIRECTION_INPUT, node,
                                    PW_STREAM_FLAG_AUTOCONNECT, params, 1);
    if (r < 0) return fail("PipeWire: stream " + std::to_string(node) + " refused");
    return {};
}

void PipeWireCursorStream::onParamChanged(void* self, uint32_t id, const spa_pod* param) {
    if (param == nullptr || id != SPA_PARAM_Format) return;
    auto* watcher = static_cast<PipeWireCursorStream*>(self);
    uint8_t buffer[1024];
    spa_pod_builder builder = SPA_POD_BUILDER_INIT(buffer, sizeof(buffer));
    const spa_pod* params[2];
    params[0] = static_cast<const spa_pod*>(spa_pod_builder_add_object(
        &builder, SPA_TYPE_OBJECT_ParamMeta, SPA_PARAM_Meta, SPA_PARAM_META_type,
        SPA_POD_Id(SPA_META_Cursor), SPA_PARAM_META_size,
        SPA_POD_CHOICE_RANGE_Int(static_cast<int>(cursorMetaSize(64, 64)),
                                 static_cast<int>(cursorMetaSize(1, 1)),
                                 static_cast<int>(cursorMetaSize(384, 384)))));
    // Few buffers in shared memory, so that the compositor never waits on us.
    params[1] = static_cast<const spa_pod*>(spa_pod_builder_add_object(
        &builder, SPA_TYPE_OBJECT_ParamBuffers, SPA_PARAM_Buffers, SPA_PARAM_BUFFERS_buffers,
        SPA_POD_CHOICE_RANGE_Int(4, 2, 16), SPA_PARAM_BUFFERS_dataType,
        SPA_POD_CHOICE_FLAGS_Int((1 << SPA_DATA_MemFd) | (1 << SPA_DATA_MemPtr))));
    pw_stream_update_params(watcher->stream_.get(), params, 2);
}

void PipeWireCursorStream::onProcess(void* self) {
    auto* watcher = static_cast<PipeWireCursorStream*>(self);
    pw_buffer* latest = nullptr;
    while (pw_buffer* buffer = pw_stream_dequeue_buffer(watcher->stream_.get())) {
        if (latest != nullptr) pw_stream_queue_buffer(watcher->stream_.get(), latest);
        latest = buffer;
    }
    if (latest == nullptr) return;
    const auto* cursor = static_cast<const spa_meta_cursor*>(
        spa_buffer_find_meta_data(latest->buffer, SPA_META_Cursor, sizeof(spa_meta_cursor)));
    if (cursor != nullptr) {
        const std::lock_guard lock(watcher->mutex_);
        if (spa_meta_cursor_is_valid(cursor)) {
            watcher->position_ = ScreenPoint{cursor->position.x, cursor->position.y};
        } else {
            watcher->position_.reset();
        }
    }
    pw_stream_queue_buffer(watcher->stream_.get(), latest);
}

}  // namespace

Result<std::unique_ptr<CursorStream>, std::string> CursorStream::open(posix::UniqueFd remote,
                                                                      uint32_t node) {
    auto stream = std::make_unique<PipeWireCursorStream>();
    if (auto connected = stream->connect(std::move(remote), node); !connected) {
        return fail(connected.error());
    }
    return std::unique_ptr<CursorStream>(std::move(stream));
}

}  // namespace pointilla::platform::wayland::gnome
