#pragma once
// Playback: performs the scenario's rows on the desktop, from row `numligne`,
// back to back until a "Délai" row or the end. A "Délai" row switches on the
// one-second `Timer4`; the tick that completes the wait resumes `lecture` at
// the next row. Plain C++: the main window supplies the timer, the settings
// reader and the callbacks.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "common/settings_store.h"
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

struct PlaybackCallbacks {
    std::function<void(const std::string&)> setStatus;  // panel 2 of the status bar
    std::function<void()> hideWindow;                   // "redlec" is "1"
    std::function<void()> finished;                     // the last row has been played
};

// The texts playback writes into panel 2.
inline constexpr std::string_view kPlayingStatus = "Lecture en cours...";
inline constexpr std::string_view kIdleStatus;

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
    // Plays from row numligne() until a "Délai" row or the end of the list.
    void lecture();
    // A `Timer4` tick: counts one second of the current wait.
    void tick();

    int numligne() const { return numligne_; }
    int nbsecondes() const { return nbsecondes_; }
    bool waiting() const { return waiting_; }
    // True from a start with rows until the end of that playback, waits included.
    bool playing() const { return playing_; }

  private:
    // Performs one row; false when it is a "Délai" row that starts a wait.
    bool perform(const scenario::Row& row);
    void beginWait(int seconds);
    void endWait();
    void finish();
    void setStatus(std::string_view text);

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
    bool waiting_ = false;
    bool playing_ = false;
};

}  // namespace pointilla::playback
