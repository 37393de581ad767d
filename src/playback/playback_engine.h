#pragma once
// Playback: performs the scenario's rows on the desktop, from row `numligne`,
// back to back until a "Délai" row or the end. A "Délai" row switches on the
// one-second `Timer4`; the tick that completes the wait resumes `lecture` at
// the next row. The whole scenario is played "repet" times (or until stopped),
// each time from row 1. stop() ends a playback at once, and the stop request
// is asked before every row, so a stop key pressed between two rows is honoured;
// a "URL" row that waits for the opener to have room asks it all along.
// Plain C++: the main window supplies the timer, the settings reader and the
// callbacks.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "common/settings_store.h"
#include "messages/playback_messages.h"
#include "platform/desktop/desktop.h"
#include "scenario/scenario.h"

namespace pointilla::playback {

// `Timer4`: once started, calls PlaybackEngine::tick() every 1000 ms until stopped.
class Ticker {
  public:
    virtual ~Ticker() = default;
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool active() const = 0;
};

// Where a playback stands, for whoever shows it.
struct Progress {
    int row = 0;          // the row being performed or waited on, 1-based
    int rowCount = 0;     // rows in the list now
    int secondsLeft = 0;  // of the current wait; 0 when not waiting
    int repetition = 1;   // the pass through the scenario, 1-based
    int repetitions = 1;  // passes asked for; kLoop: until stopped
    friend bool operator==(const Progress&, const Progress&) = default;
};

struct PlaybackCallbacks {
    std::function<void(const std::string&)> setStatus;  // panel 2 of the status bar
    std::function<void()> hideWindow;                   // "redlec" is "1"
    std::function<void()> finished;                     // the last row has been played
    // Asked before each row is performed: true stops the playback there.
    std::function<bool()> stopRequested;
    // The playback was stopped before its end (panel 2 is emptied first).
    std::function<void()> stopped;
    // A row is about to be performed, or a second of a wait went by.
    std::function<void(const Progress&)> progress;
    // The desktop went away while this row (1-based) was performed: the
    // playback ended there, panel 2 emptied first.
    std::function<void(int row, const platform::DesktopLost&)> desktopLost;
    // The handler of this "URL" row could not even be started; the playback goes on.
    std::function<void(int row, const std::string& target)> openFailed;
    // The handler that opens this address ran so long that a "URL" row waiting
    // for room no longer waits for it.
    std::function<void(const std::string& address)> handlerLetGo;
};

// The texts playback writes into panel 2 (kPlayingStatus in French; the run's
// language through messages::playingStatus()).
inline constexpr std::string_view kPlayingStatus = messages::kPlayingStatus;
inline constexpr std::string_view kIdleStatus;

// How many times a playback goes through the scenario, as the settings keep it
// ("repet"): "1" to "9999", or "boucle" for until stopped. Anything else counts as 1.
inline constexpr std::string_view kLoopText = "boucle";
inline constexpr int kLoop = 0;
inline constexpr int kMaxRepetitions = 9999;
// kLoop, or 1 to kMaxRepetitions; 1 for a text that is neither.
int parseRepetitions(std::string_view text);
// The text stored for a count (kLoop gives "boucle").
std::string repetitionsText(int repetitions);

class PlaybackEngine {
  public:
    // Every reference must outlive the engine. The rows are read as they stand
    // at each step, so the list may change while a playback waits.
    PlaybackEngine(const scenario::Scenario& rows, platform::PointerDevice& pointer,
                   platform::ButtonInjector& buttons, platform::DocumentOpener& opener,
                   settings::Reader& settings, Ticker& timer4, PlaybackCallbacks callbacks,
                   std::filesystem::path programDirectory);

    // The "start" button: abandons a wait in progress, then plays from row 1.
    void start();
    // How many passes the next start() makes (kLoop: until stopped); 1 unless set.
    void setRepetitions(int repetitions);
    // Ends the playback now: no further row, the wait abandoned, panel 2
    // emptied. Does nothing when not playing.
    void stop();
    // Plays from row numligne() until a "Délai" row or the end of the list.
    void lecture();
    // A `Timer4` tick: counts one second of the current wait.
    void tick();

    int numligne() const { return numligne_; }
    int nbsecondes() const { return nbsecondes_; }
    bool waiting() const { return waiting_; }
    // True from a start with rows until the end of that playback, waits included.
    bool playing() const { return playing_; }
    // Whether the last playback ended by stop() rather than after its last row.
    bool wasStopped() const { return wasStopped_; }
    // Whether the last playback ended because the desktop went away (at numligne()).
    bool lostDesktop() const { return lostDesktop_; }
    Progress progress() const;

  private:
    enum class Step { Next, Wait, Stopped, DesktopLost };
    // Performs one row: Wait when it is a "Délai" row that starts a wait,
    // Stopped when the playback was stopped during the row.
    Step perform(const scenario::Row& row);
    void loseDesktop(const platform::DesktopLost& why);
    // Sends what the backend holds back (before a pause or the end); false,
    // the desktop lost, when it could not.
    bool delivered();
    // Waits until the opener has room for one more handler, asking for a stop
    // all along; false when the playback was stopped meanwhile.
    bool awaitOpenerRoom();
    void beginWait(int seconds);
    void endWait();
    void finish();
    void setStatus(std::string_view text);
    void reportProgress();
    bool stopAsked();

    const scenario::Scenario& rows_;
    platform::PointerDevice& pointer_;
    platform::ButtonInjector& buttons_;
    platform::DocumentOpener& opener_;
    settings::Reader& settings_;
    Ticker& timer4_;
    PlaybackCallbacks callbacks_;
    std::filesystem::path programDirectory_;

    int numligne_ = 0;
    int nbsecondes_ = 0;
    int waitSeconds_ = 0;  // the length of the current wait, fixed when its row is reached
    int repetition_ = 1;
    int repetitions_ = 1;
    bool waiting_ = false;
    bool playing_ = false;
    bool wasStopped_ = false;
    bool lostDesktop_ = false;
};

}  // namespace pointilla::playback
