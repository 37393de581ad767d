#pragma once
// What the programs say while a scenario plays: the status line,
// where the playback is, how it ended, and the desktop or page handler that
// failed it.

#include <string>
#include <string_view>

namespace pointilla::messages {

// The status line while rows are played: kPlayingStatus is its French words.
inline constexpr std::string_view kPlayingStatus = "Lecture en cours...";
std::string playingStatus();

// The tray icon's word when a playback that hid the window ends.
std::string playbackEndedNotice();

// Where a playback is, as the engine reports it.
struct PlaybackPlace {
    int row = 0;
    int rowCount = 0;
    int secondsLeft = 0;  // of the wait on a "Délai" row; 0 outside one
    int repetition = 1;   // the pass being played, from 1
    int repetitions = 1;  // passes asked for
    bool loop = false;    // played until stopped; repetitions does not count
};

// "encore 4 s" during a wait, else empty.
std::string remainingWaitText(const PlaybackPlace& place);

// "Pointilla – ligne 3 sur 12, encore 4 s", with " (passage 2 sur 5)" or
// " (passage 2, en boucle)" when the scenario is played more than once.
std::string playbackToolTip(std::string_view title, const PlaybackPlace& place);

// The command-line player's updating line: "Ligne 3 sur 12 (passage 2 sur 5) :
// Délai 5, encore 4 s"; rowText is the row as the terminal may show it.
std::string progressLine(const PlaybackPlace& place, std::string_view rowText);

// « Lecture arrêtée à la ligne 3 »: Escape, or a stop signal.
std::string playbackStoppedMessage(int row);

// « Le bureau ne répond plus : lecture arrêtée à la ligne 3 »
std::string desktopLostMessage(int row);

// The window's own display went away outside a playback: the program ends.
std::string displayLostMessage();

// The program that opens pages could not even be started for a "URL" row; the
// playback goes on.
std::string pageNotOpenedMessage(int row, const std::string& target);

// A "URL" row no longer waits for the handler still opening an earlier
// address, after waiting for it holdSeconds.
std::string handlerLetGoMessage(std::string_view address, long long holdSeconds);

}  // namespace pointilla::messages
