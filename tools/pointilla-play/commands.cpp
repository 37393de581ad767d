#include "tools/pointilla-play/commands.h"

#include <chrono>
#include <iostream>
#include <optional>
#include <ostream>
#include <system_error>

#include "codepage/visible_controls.h"
#include "messages/file_messages.h"
#include "messages/play_messages.h"
#include "messages/playback_messages.h"
#include "messages/startup_messages.h"
#include "messages/tool_voice.h"
#include "platform/desktop/native_desktop.h"
#include "platform/desktop/virtual_keys.h"
#include "platform/stop_signals.h"
#include "playback/playback_engine.h"
#include "playback/progress_place.h"
#include "playback/stop_key_watch.h"
#include "scenario/sce_file.h"
#include "scenario/scenario.h"
#include "scenario_files/scenario_files.h"
#include "tools/pointilla-play/sleeping_ticker.h"

namespace pointilla::play {
namespace {

// Every line the tool says on its error stream, after its name.
messages::ToolVoice voiceOn(std::ostream& err) { return {messages::kPlayProgram, err}; }

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
    auto loaded = scenario_files::openScenarioFile(file);
    if (!loaded) {
        voiceOn(err).say(messages::unreadableFileMessage(shown(file), loaded.error()));
        status = kUnreadableFile;
        return std::nullopt;
    }
    return std::move(loaded).value();
}

void reportStop(const std::filesystem::path& file, const scenario::ReadStop& stop,
                std::ostream& err) {
    voiceOn(err).say(messages::readingStoppedAtMessage(
        shown(file), stop.line, scenario_files::readStopReason(stop.reason)));
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
             << messages::progressLine(playback::placeOf(now),
                                       visible(row.action) + " " + visible(row.detail));
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
        voiceOn(err).say(
            messages::headerCaptionsNote(visible(header.label8), visible(header.label9)));
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
        voiceOn(err).say(messages::nothingPlayedMessage());
        return kReadingStopped;
    }

    platform::DesktopNotes notes;
    auto opened = platform::openNativeDesktop(
        options.displayName.empty() ? nullptr : options.displayName.c_str(), notes);
    if (!opened) {
        voiceOn(err).say(messages::desktopOpenMessage(opened.error()));
        return kNoDisplay;
    }
    if (notes.fellBackFrom) {
        voiceOn(err).say(messages::xwaylandFallbackMessage(*notes.fellBackFrom));
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
        voiceOn(err).say(messages::pageNotOpenedMessage(row, visible(target)));
    };
    callbacks.handlerLetGo = [&](const std::string& address) {
        line.clear();
        voiceOn(err).say(
            messages::handlerLetGoMessage(visible(address), platform::kHandlerHoldLimit.count()));
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
        voiceOn(err).say(messages::desktopLostMessage(engine.numligne()));
        return kDesktopLost;
    }
    // A round trip: every injected event has reached the server before we leave.
    (void)desktop->pointer().position();
    if (!engine.wasStopped()) return kSuccess;

    voiceOn(err).say(messages::playbackStoppedMessage(engine.numligne()));
    if (platform::StopSignals::caught() != 0) {
        // Ended by the signal itself, as the shell that sent it expects.
        return signals.endAsRequested(kStopped);
    }
    return kStopped;
}

}  // namespace pointilla::play
