#pragma once
// When the connection to the window's own display breaks (the X server or the
// compositor went away), the toolkit prints an English line and ends the
// program at once. With this installed the program says it in French instead,
// naming the row a playback had reached, and ends with kDisplayLostStatus.

#include <functional>

namespace pointilla::shell {

inline constexpr int kDisplayLostStatus = 5;

// playingRow: the row a playback is at (1-based), 0 when none runs. Called on
// whichever thread noticed the break.
void sayDisplayLossInFrench(std::function<int()> playingRow);

}  // namespace pointilla::shell
