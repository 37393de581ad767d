#pragma once
// Rows from the clicks a person makes while click capture is on, without any
// widget. Each left press outside Pointilla's own windows becomes a
// "Position souris" row (in the hot key's text form) and a "Clic souris" row;
// the pause since the previous press, when it reaches half a second, becomes
// "Délai" rows before them: its whole seconds, rounded to the nearest, in rows
// of at most 60. The time before the first press adds nothing.

#include <chrono>
#include <functional>
#include <vector>

#include "platform/desktop/desktop.h"
#include "scenario/row.h"

namespace pointilla::capture {

// The shortest pause that becomes a delay.
inline constexpr std::chrono::milliseconds kShortestPause{500};

// The "Délai" rows for a pause: none under half a second; else the rounded
// seconds as rows of 60 and one last row with the rest (none when it is 0).
std::vector<scenario::Row> pauseRows(std::chrono::milliseconds pause);

// Whether a point lies on one of the program's own windows, as shown now.
using OwnWindowTest = std::function<bool(platform::ScreenPoint)>;

class ClickRowBuilder {
  public:
    // The rows for one press; none for a press on the program's own window,
    // which leaves the pause running on from the previous counted press.
    std::vector<scenario::Row> rowsFor(const platform::LeftButtonPress& press, bool onOwnWindow);

    // Every press the source heard since the last call, in order.
    std::vector<scenario::Row> takeFrom(platform::ClickSource& source,
                                        const OwnWindowTest& onOwnWindow);

    // Presses counted since the start (own-window presses left out).
    int clicks() const { return clicks_; }

  private:
    std::optional<std::chrono::milliseconds> lastPress_;
    int clicks_ = 0;
};

}  // namespace pointilla::capture
