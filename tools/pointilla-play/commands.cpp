#include "tools/pointilla-play/commands.h"

#include <unistd.h>

#include <optional>
#include <ostream>
#include <system_error>

#include "messages/startup_messages.h"
#include "platform/x11/x11_desktop.h"
#include "playback/playback_engine.h"
#include "scenario/sce_file.h"
#include "scenario/scenario.h"
#include "tools/pointilla-play/sleeping_ticker.h"

namespace pointilla::play {
namespace {

constexpr const char* kTool = "pointilla-play";

// The file's content, or the exit status after saying why there is none.
std::optional<scenario::SceContent> readWhole(const std::filesystem::path& file, std::ostream& err,
                                              int& status) {
    auto loaded = scenario::loadSceFile(file);
    if (!loaded.content) {
        err << kTool << " : impossible de lire \u00ab\u00a0" << file.string()
            << "\u00a0\u00bb : " << loaded.error.reason() << "\n";
        status = kUnreadableFile;
        return std::nullopt;
    }
    return std::move(loaded.content);
}

void reportStop(const std::filesystem::path& file, const scenario::ReadStop& stop,
                std::ostream& err) {
    err << kTool << " : lecture de \u00ab\u00a0" << file.string()
        << "\u00a0\u00bb arr\u00eat\u00e9e \u00e0 la ligne " << stop.line << " : " << stop.reason
        << "\n";
}

// Headless: there is no window to hide.
class NoSettings final : public settings::Reader {
  public:
    std::string read(std::string_view) override { return {}; }
};

// Where the player's own executable lies: the working folder of opened documents.
std::filesystem::path programDirectory() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) return self.parent_path();
    return std::filesystem::current_path(error);
}

}  // namespace

int listRows(const std::filesystem::path& file, std::ostream& out, std::ostream& err) {
    int status = kSuccess;
    const auto content = readWhole(file, err, status);
    if (!content) return status;
    for (const auto& header : content->headers) {
        err << kTool << " : note : ligne d'en-t\u00eate, libell\u00e9s \u00ab\u00a0"
            << header.label8 << "\u00a0\u00bb et \u00ab\u00a0" << header.label9 << "\u00a0\u00bb\n";
    }
    for (const auto& row : content->rows) out << row.action << '\t' << row.detail << '\n';
    out.flush();
    if (content->stop) {
        reportStop(file, *content->stop, err);
        return kReadingStopped;
    }
    return kSuccess;
}

int playRows(const std::filesystem::path& file, const std::string& displayName, std::ostream& err) {
    int status = kSuccess;
    auto content = readWhole(file, err, status);
    if (!content) return status;
    if (content->stop) {
        reportStop(file, *content->stop, err);
        err << kTool << " : rien n'a \u00e9t\u00e9 jou\u00e9.\n";
        return kReadingStopped;
    }

    auto opened = platform::openX11Desktop(displayName.empty() ? nullptr : displayName.c_str());
    if (!opened) {
        err << kTool << " : " << messages::desktopOpenMessage(opened.error()) << "\n";
        return kNoDisplay;
    }
    const std::unique_ptr<platform::Desktop> desktop = std::move(opened).value();

    const scenario::Scenario rows(std::move(content->rows));
    NoSettings settings;
    SleepingTicker timer4;
    playback::PlaybackEngine engine(rows, desktop->pointer(), desktop->buttons(), desktop->opener(),
                                    settings, timer4, {}, programDirectory());
    engine.start();
    timer4.run(engine);
    // A round trip: every injected event has reached the server before we leave.
    (void)desktop->pointer().position();
    return kSuccess;
}

}  // namespace pointilla::play
