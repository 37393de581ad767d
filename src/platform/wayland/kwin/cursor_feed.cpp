#include "platform/wayland/kwin/cursor_feed.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "platform/posix/unique_fd.h"
#include "platform/wayland/kwin/bus_calls.h"

namespace pointilla::platform::wayland::kwin {
namespace {

constexpr const char* kPath = "/org/pointilla/Cursor";
constexpr const char* kInterface = "org.pointilla.Cursor";
constexpr const char* kMethod = "Position";
constexpr std::chrono::milliseconds kFirstReportWait{2000};

// A number as the script sent it: JavaScript numbers reach D-Bus as int or
// double depending on KWin's conversion.
bool readNumber(sd_bus_message* message, int& value) {
    char type = 0;
    if (sd_bus_message_peek_type(message, &type, nullptr) <= 0) return false;
    switch (type) {
        case SD_BUS_TYPE_INT32: {
            std::int32_t v = 0;
            if (sd_bus_message_read_basic(message, type, &v) < 0) return false;
            value = v;
            return true;
        }
        case SD_BUS_TYPE_INT64: {
            std::int64_t v = 0;
            if (sd_bus_message_read_basic(message, type, &v) < 0) return false;
            value = static_cast<int>(v);
            return true;
        }
        case SD_BUS_TYPE_DOUBLE: {
            double v = 0;
            if (sd_bus_message_read_basic(message, type, &v) < 0) return false;
            value = static_cast<int>(v < 0 ? v - 0.5 : v + 0.5);
            return true;
        }
        default:
            return false;
    }
}

std::filesystem::path scriptFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime != nullptr && *runtime != '\0' ? runtime : "/tmp";
}

Result<MessageHandle, BusError> unloadScript(sd_bus* bus, const std::string& name) {
    return callMethod(
        bus, "org.kde.KWin", "/Scripting", "org.kde.kwin.Scripting", "unloadScript",
        [&name](sd_bus_message* call) { return sd_bus_message_append(call, "s", name.c_str()); });
}

}  // namespace

// One report in flight at a time: KWin moves the pointer far faster than
// reports cross the bus, so while one waits for our reply the script only
// notes that the pointer moved again, and sends the latest position once the
// reply comes. Bursts of moves never queue up stale reports, and a busy
// program (which replies when it reads the bus) holds the script back.
std::string CursorFeed::scriptFor(const std::string& busName) {
    return "var waiting = false;\n"
           "var movedMeanwhile = false;\n"
           "function report() {\n"
           "    if (waiting) {\n"
           "        movedMeanwhile = true;\n"
           "        return;\n"
           "    }\n"
           "    waiting = true;\n"
           "    movedMeanwhile = false;\n"
           "    var p = workspace.cursorPos;\n"
           "    callDBus(\"" +
           busName + "\", \"" + kPath + "\", \"" + kInterface + "\", \"" + kMethod +
           "\", p.x, p.y, function() {\n"
           "        waiting = false;\n"
           "        if (movedMeanwhile) report();\n"
           "    });\n"
           "}\n"
           "workspace.cursorPosChanged.connect(report);\n"
           "report();\n";
}

int CursorFeed::onCall(sd_bus_message* message, void* data, sd_bus_error*) {
    auto* self = static_cast<CursorFeed*>(data);
    if (sd_bus_message_is_method_call(message, kInterface, kMethod) == 0) return 0;
    int x = 0;
    int y = 0;
    if (readNumber(message, x) && readNumber(message, y)) {
        self->latest_ = ScreenPoint{x, y};
        if (!self->scriptFile_.empty()) {
            // KWin has read it by now.
            std::error_code ignored;
            std::filesystem::remove(self->scriptFile_, ignored);
            self->scriptFile_.clear();
        }
    }
    if (sd_bus_message_get_expect_reply(message) > 0) sd_bus_reply_method_return(message, "");
    return 1;
}

void CursorFeed::unloadLeftovers() {
    notes_ = LeftoverNotes::open("kwin");
    if (!notes_) return;
    for (const LeftoverNotes::Note& note : notes_->all()) {
        if (!note.ended) continue;
        if (note.text.starts_with("pointilla-cursor-")) (void)unloadScript(bus_, note.text);
        notes_->erase(note.pid);
    }
}

Result<std::unique_ptr<CursorFeed>, BusError> CursorFeed::start(sd_bus* bus) {
    std::unique_ptr<CursorFeed> feed(new CursorFeed(bus));
    sd_bus_slot* slot = nullptr;
    int code = sd_bus_add_object(bus, &slot, kPath, onCall, feed.get());
    if (code < 0) return fail(BusError{"errno", std::to_string(-code)});
    feed->object_.reset(slot);

    const char* unique = nullptr;
    code = sd_bus_get_unique_name(bus, &unique);
    if (code < 0) return fail(BusError{"errno", std::to_string(-code)});

    // KWin reads the file after loadScript returns, so it stays until the
    // first report (or the end).
    std::string pattern = (scriptFolder() / "pointilla-cursor-XXXXXX.js").string();
    posix::UniqueFd file(::mkstemps(pattern.data(), 3));
    if (!file) return fail(BusError{"errno", std::to_string(errno)});
    feed->scriptFile_ = pattern;
    const std::string text = scriptFor(unique);
    if (::write(file.get(), text.data(), text.size()) != static_cast<ssize_t>(text.size()) ||
        file.close() != 0) {
        return fail(BusError{"errno", std::to_string(errno)});
    }

    feed->pluginName_ = "pointilla-cursor-" + std::to_string(::getpid());
    feed->unloadLeftovers();
    if (feed->notes_) feed->notes_->write(feed->pluginName_);
    const std::string fileName = feed->scriptFile_.string();
    auto loaded = callMethod(bus, "org.kde.KWin", "/Scripting", "org.kde.kwin.Scripting",
                             "loadScript", [&](sd_bus_message* call) {
                                 return sd_bus_message_append(call, "ss", fileName.c_str(),
                                                              feed->pluginName_.c_str());
                             });
    if (!loaded) return fail(loaded.error());
    feed->loaded_ = true;
    std::int32_t id = -1;
    code = sd_bus_message_read(loaded->get(), "i", &id);
    if (code < 0 || id < 0) return fail(BusError{"org.kde.kwin.Scripting", "loadScript refused"});

    // KWin 5 puts the script at "/<id>", KWin 6 at "/Scripting/Script<id>".
    auto ran = callMethod(bus, "org.kde.KWin", ("/" + std::to_string(id)).c_str(),
                          "org.kde.kwin.Script", "run", nullptr);
    if (!ran) {
        ran = callMethod(bus, "org.kde.KWin", ("/Scripting/Script" + std::to_string(id)).c_str(),
                         "org.kde.kwin.Script", "run", nullptr);
    }
    if (!ran) return fail(ran.error());
    CursorFeed* self = feed.get();
    handleUntil(
        bus, [self] { return self->latest_.has_value(); }, kFirstReportWait);
    if (!self->latest_) return fail(BusError{"org.kde.kwin.Scripting", "no report"});
    return feed;
}

CursorFeed::~CursorFeed() {
    if (loaded_) (void)unloadScript(bus_, pluginName_);
    if (notes_) notes_->eraseOwn();
    if (!scriptFile_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(scriptFile_, ignored);
    }
}

}  // namespace pointilla::platform::wayland::kwin
