#include "tools/pointilla-play/commands.h"

#include <chrono>
#include <iostream>
#include <optional>
#include <ostream>
#include <system_error>

#include "codepage/visible_controls.h"
#include "messages/playback_messages.h"
#include "messages/startup_messages.h"
#include "platform/desktop/native_desktop.h"
#include "platform/desktop/virtual_keys.h"
#include "platform/stop_signals.h"
#include "playback/playback_engine.h"
#include "playback/stop_key_watch.h"
#include "scenario/sce_file.h"
#include "scenario/scenario.h"
#include "shell/scenario_files.h"
#include "tools/pointilla-play/sleeping_ticker.h"

namespace pointilla::play {
namespace {

constexpr const char* kTool = "pointilla-play";

// A file name in messages: UTF-8, as every other text the tool prints, and on
// one line whatever characters the name holds.
std::string shown(const std::filesystem::path& file) {
    const std::u8string name = file.u8string();
    return codepage::escapeControls({reinterpret_cast<const char*>(name.data()), name.size()});
}

// What a scenario file says, as the terminal is to show it: its control
// characters written out, so that a row stays one line and sends no command.
std::string visible(std::string_view fromFile) { return codepage::escapeControls(fromFile); }

// The file's content, or the exit status after saying why there is none.
std::optional<scenario::SceContent> readWhole(const std::filesystem::path& file, std::ostream& err,
                                              int& status) {
    auto loaded = shell::openScenarioFile(file);
    if (!loaded) {
        err << kTool << " : impossible de lire \u00ab\u00a0" << shown(file)
            << "\u00a0\u00bb : " << loaded.error() << "\n";
        status = kUnreadableFile;
        return std::nullopt;
    }
    return std::move(loaded).value();
}

void reportStop(const std::filesystem::path& file, const scenario::ReadStop& stop,
                std::ostream& err) {
    err << kTool << " : lecture de \u00ab\u00a0" << shown(file)
        << "\u00a0\u00bb arr\u00eat\u00e9e \u00e0 la ligne " << stop.line << " : "
        << shell::readStopReason(stop.reason) << "\n";
}

// Headless: there is no window to hide.
class NoSettings final : public settings::Reader {
  public:
    std::string read(std::string_view) override { return {}; }
};

// One updating line on a terminal: the row being played and the wait left.
// Rows run back to back faster than a terminal or an eye follows, so between
// them the line is written at most every kRowsShownEvery; a wait always shows.
class ProgressLine {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kRowsShownEvery{50};

    ProgressLine(std::ostream& err, const scenario::Scenario& rows, bool enabled)
        : err_(err), rows_(rows), enabled_(enabled) {}

    void show(const playback::Progress& now) {
        if (!enabled_ || !rows_.contains(now.row)) return;
        if (now.secondsLeft == 0) {
            const Clock::time_point time = Clock::now();
            if (time - shown_ < kRowsShownEvery) return;
            shown_ = time;
        }
        const scenario::Row& row = rows_.row(now.row);
        err_ << "\r\033[K"
             << "Ligne " << now.row << " sur " << now.rowCount;
        if (now.repetitions == playback::kLoop) {
            err_ << " (passage " << now.repetition << ", en boucle)";
        } else if (now.repetitions > 1) {
            err_ << " (passage " << now.repetition << " sur " << now.repetitions << ")";
        }
        err_ << " : " << visible(row.action) << " " << visible(row.detail);
        if (now.secondsLeft > 0) err_ << ", encore " << now.secondsLeft << " s";
        err_.flush();
    }
    void clear() {
        if (enabled_) err_ << "\r\033[K" << std::flush;
    }

  private:
    std::ostream& err_;
    const scenario::Scenario& rows_;
    bool enabled_;
    Clock::time_point shown_{};
};

}  // namespace

int listRows(const std::filesystem::path& file, std::ostream& out, std::ostream& err) {
    int status = kSuccess;
    const auto content = readWhole(file, err, status);
    if (!content) return status;
    for (const auto& header : content->headers) {
        err << kTool << " : note : ligne d'en-t\u00eate, libell\u00e9s \u00ab\u00a0"
            << visible(header.label8) << "\u00a0\u00bb et \u00ab\u00a0" << visible(header.label9)
            << "\u00a0\u00bb\n";
    }
    // TAB separates the columns, so a TAB inside a text is written out too.
    for (const auto& row : content->rows)
        out << visible(row.action) << '\t' << visible(row.detail) << '\n';
    out.flush();
    if (content->stop) {
        reportStop(file, *content->stop, err);
        return kReadingStopped;
    }
    return kSuccess;
}

int playRows(const std::filesystem::path& file, const PlayOptions& options, std::ostream& err) {
    int status = kSuccess;
    auto content = readWhole(file, err, status);
    if (!content) return status;
    if (content->stop) {
        reportStop(file, *content->stop, err);
        err << kTool << " : rien n'a \u00e9t\u00e9 jou\u00e9.\n";
        return kReadingStopped;
    }

    platform::DesktopNotes notes;
    auto opened = platform::openNativeDesktop(
        options.displayName.empty() ? nullptr : options.displayName.c_str(), notes);
    if (!opened) {
        err << kTool << " : " << messages::desktopOpenMessage(opened.error()) << "\n";
        return kNoDisplay;
    }
    if (notes.fellBackFrom) {
        err << kTool << " : " << messages::xwaylandFallbackMessage(*notes.fellBackFrom) << "\n";
    }
    const std::unique_ptr<platform::Desktop> desktop = std::move(opened).value();

    const scenario::Scenario rows(std::move(content->rows));
    platform::KeyboardState& keyboard = desktop->keyboard();
    // A desktop that hears only combinations bound beforehand (Wayland) hears Escape.
    const platform::KeyCombination stopKey{platform::vk::kEscape};
    keyboard.watchCombinations({&stopKey, 1});
    const platform::StopSignals signals;
    ProgressLine line(err, rows, options.progressLine);
    playback::StopKeyWatch escapeWatch(keyboard, platform::vk::kEscape);
    const auto stopAsked = [&] {
        return platform::StopSignals::caught() != 0 || escapeWatch.pressed();
    };

    NoSettings settings;
    SleepingTicker timer4;
    playback::PlaybackCallbacks callbacks;
    callbacks.stopRequested = stopAsked;
    callbacks.progress = [&](const playback::Progress& now) { line.show(now); };
    callbacks.openFailed = [&](int row, const std::string& target) {
        line.clear();
        err << kTool << " : " << messages::pageNotOpenedMessage(row, visible(target)) << "\n";
        err.flush();
    };
    callbacks.handlerLetGo = [&](const std::string& address) {
        line.clear();
        err << kTool << " : " << messages::handlerLetGoMessage(visible(address)) << "\n";
        err.flush();
    };
    playback::PlaybackEngine engine(rows, desktop->pointer(), desktop->buttons(), desktop->opener(),
                                    settings, timer4, std::move(callbacks),
                                    platform::executableDirectory());
    engine.setRepetitions(options.repetitions);
    const int keyChanges = keyboard.changeNotifier();
    keyboard.takeChanges();
    escapeWatch.restart();
    engine.start();
    timer4.run(engine, {keyChanges, signals.fd()}, [&] {
        signals.drain();
        keyboard.takeChanges();
        // Woken by the change itself: asked now, whenever it was asked last.
        if (platform::StopSignals::caught() != 0 || keyboard.takePress(platform::vk::kEscape)) {
            engine.stop();
        }
    });
    line.clear();
    keyboard.watchCombinations({});
    if (engine.lostDesktop()) {
        err << kTool << " : " << messages::desktopLostMessage(engine.numligne()) << "\n";
        err.flush();
        return kDesktopLost;
    }
    // A round trip: every injected event has reached the server before we leave.
    (void)desktop->pointer().position();
    if (!engine.wasStopped()) return kSuccess;

    err << kTool << " : Lecture arr\u00eat\u00e9e \u00e0 la ligne " << engine.numligne() << "\n";
    err.flush();
    if (platform::StopSignals::caught() != 0) {
        // Ended by the signal itself, as the shell that sent it expects.
        return signals.endAsRequested(kStopped);
    }
    return kStopped;
}

}  // namespace pointilla::play
