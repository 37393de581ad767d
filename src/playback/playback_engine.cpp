#include "playback/playback_engine.h"

#include <chrono>
#include <utility>

#include "common/settings_values.h"
#include "scenario/detail_text.h"
#include "scenario/row.h"

namespace pointilla::playback {
namespace {

// How long a "URL" row waits for room at a time before it asks for a stop
// again: shorter than a key press, so that Escape is seen.
constexpr std::chrono::milliseconds kStopAskedEvery{20};

}  // namespace

int parseRepetitions(std::string_view text) {
    if (text == kLoopText) return kLoop;
    // Plain decimal only, as the program writes it.
    if (text.empty() || text.size() > 4 || text.front() == '0') return 1;
    int count = 0;
    for (const char digit : text) {
        if (digit < '0' || digit > '9') return 1;
        count = count * 10 + (digit - '0');
    }
    return count;
}

std::string repetitionsText(int repetitions) {
    return repetitions == kLoop ? std::string(kLoopText) : std::to_string(repetitions);
}

PlaybackEngine::PlaybackEngine(const scenario::Scenario& rows, platform::PointerDevice& pointer,
                               platform::ButtonInjector& buttons, platform::DocumentOpener& opener,
                               settings::Reader& settings, Ticker& timer4,
                               PlaybackCallbacks callbacks, std::filesystem::path programDirectory)
    : rows_(rows),
      pointer_(pointer),
      buttons_(buttons),
      opener_(opener),
      settings_(settings),
      timer4_(timer4),
      callbacks_(std::move(callbacks)),
      programDirectory_(std::move(programDirectory)) {}

void PlaybackEngine::setRepetitions(int repetitions) {
    repetitions_ = (repetitions == kLoop || (repetitions >= 1 && repetitions <= kMaxRepetitions))
                       ? repetitions
                       : 1;
}

void PlaybackEngine::start() {
    // A new start abandons the wait in progress instead of letting the old
    // count run on into the new playback.
    if (waiting_) endWait();
    wasStopped_ = false;
    lostDesktop_ = false;
    repetition_ = 1;
    numligne_ = 1;
    lecture();
}

void PlaybackEngine::stop() {
    if (!playing_) return;
    if (waiting_) endWait();
    // What was performed before the stop still reaches the desktop.
    static_cast<void>(pointer_.flush());
    playing_ = false;
    wasStopped_ = true;
    setStatus(kIdleStatus);
    if (callbacks_.stopped) callbacks_.stopped();
}

void PlaybackEngine::lecture() {
    if (rows_.empty()) {
        // Nothing to play. A playback that was waiting when its rows were all
        // removed still ends as usual.
        if (playing_) finish();
        return;
    }
    while (true) {
        playing_ = true;
        if (settings_.read(settings::kHideWhilePlaying.name) == settings::kOn &&
            callbacks_.hideWindow) {
            callbacks_.hideWindow();
        }
        setStatus(messages::playingStatus());

        if (numligne_ < 1) numligne_ = 1;
        for (; numligne_ <= rows_.count(); ++numligne_) {
            if (stopAsked()) {
                stop();
                return;
            }
            reportProgress();
            // Waiting on a "Délai" row, or ended there (stopped, or a lost desktop).
            if (perform(rows_.row(numligne_)) != Step::Next) return;
        }
        if (repetitions_ != kLoop && repetition_ >= repetitions_) {
            numligne_ = rows_.count();  // the row a lost desktop is reported at
            if (!delivered()) return;
            numligne_ = rows_.count() + 1;
            break;
        }
        // The next pass starts from row 1, as the "start" button does.
        ++repetition_;
        numligne_ = 1;
    }
    finish();
}

void PlaybackEngine::tick() {
    if (!waiting_) return;  // a tick already queued when the wait was abandoned
    ++nbsecondes_;
    if (nbsecondes_ < waitSeconds_) {
        reportProgress();
        return;
    }
    endWait();
    ++numligne_;
    lecture();
}

Progress PlaybackEngine::progress() const {
    return Progress{numligne_, rows_.count(), waiting_ ? waitSeconds_ - nbsecondes_ : 0,
                    repetition_, repetitions_};
}

PlaybackEngine::Step PlaybackEngine::perform(const scenario::Row& row) {
    const auto kind = scenario::kindOfAction(row.action);
    if (!kind) return Step::Next;  // a row of no known kind does nothing
    switch (scenario::rowKindInfo(*kind).playback) {
        case scenario::PlaybackStep::MovePointer:
            // A detail that is no position moves nothing.
            if (const auto position = scenario::parsePositionDetail(row.detail)) {
                if (auto moved = pointer_.moveTo({position->x, position->y}); !moved) {
                    loseDesktop(moved.error());
                    return Step::DesktopLost;
                }
            }
            break;
        case scenario::PlaybackStep::LeftClick: {
            auto pressed = buttons_.leftButtonDown();
            if (pressed) pressed = buttons_.leftButtonUp();
            if (!pressed) {
                loseDesktop(pressed.error());
                return Step::DesktopLost;
            }
            break;
        }
        case scenario::PlaybackStep::Wait:
            // A detail that is no whole number of seconds of at least 1 could
            // never be counted to; it is skipped instead of waiting for ever.
            if (const auto seconds = scenario::parseDelaySeconds(row.detail)) {
                if (!delivered()) return Step::DesktopLost;
                beginWait(*seconds);
                reportProgress();
                return Step::Wait;
            }
            break;
        case scenario::PlaybackStep::OpenAddress:
            // The moves before it are on the desktop before the page opens.
            if (!delivered()) return Step::DesktopLost;
            if (!awaitOpenerRoom()) return Step::Stopped;
            // Whether the handler manages to open the page is not playback's
            // concern; a handler that could not even be started is said.
            if (!opener_.open(row.detail, programDirectory_) && callbacks_.openFailed) {
                callbacks_.openFailed(numligne_, row.detail);
            }
            break;
    }
    return Step::Next;
}

void PlaybackEngine::loseDesktop(const platform::DesktopLost& why) {
    // Nothing more could reach the desktop: the playback ends at this row
    // (performed while running, never while waiting).
    playing_ = false;
    lostDesktop_ = true;
    setStatus(kIdleStatus);
    if (callbacks_.desktopLost) callbacks_.desktopLost(numligne_, why);
}

bool PlaybackEngine::delivered() {
    auto sent = pointer_.flush();
    if (!sent) loseDesktop(sent.error());
    return sent.ok();
}

bool PlaybackEngine::awaitOpenerRoom() {
    while (true) {
        const platform::OpenerRoom room = opener_.waitForRoom(kStopAskedEvery);
        for (const std::string& address : room.letGo) {
            if (callbacks_.handlerLetGo) callbacks_.handlerLetGo(address);
        }
        if (room.free) return true;
        if (stopAsked()) {
            stop();
            return false;
        }
    }
}

void PlaybackEngine::beginWait(int seconds) {
    waitSeconds_ = seconds;
    nbsecondes_ = 0;
    waiting_ = true;
    timer4_.start();
}

void PlaybackEngine::endWait() {
    timer4_.stop();
    waiting_ = false;
    nbsecondes_ = 0;
    waitSeconds_ = 0;
}

void PlaybackEngine::finish() {
    playing_ = false;
    setStatus(kIdleStatus);
    if (callbacks_.finished) callbacks_.finished();
}

void PlaybackEngine::setStatus(std::string_view text) {
    if (callbacks_.setStatus) callbacks_.setStatus(std::string(text));
}

void PlaybackEngine::reportProgress() {
    if (callbacks_.progress) callbacks_.progress(progress());
}

bool PlaybackEngine::stopAsked() { return callbacks_.stopRequested && callbacks_.stopRequested(); }

}  // namespace pointilla::playback
