#pragma once
// Which bound combinations count as held, from press and release reports that
// arrive in bursts (the shell helper's signals, read when the poll runs).
//
// A combination pressed and released within one burst would never be seen
// down: its release then waits until a query has reported it held once, so a
// quick tap still counts. A query reports a combination when it asks about one
// of its keys while it is held.

#include <cstddef>
#include <span>
#include <vector>

#include "platform/desktop/desktop.h"

namespace pointilla::platform::wayland::gnome {

class HeldCombinations {
  public:
    // The combinations now bound, all up.
    void reset(std::vector<KeyCombination> combinations);
    const std::vector<KeyCombination>& combinations() const { return combinations_; }

    void pressed(std::size_t index);
    void released(std::size_t index);

    // down[i] for keys[i]: whether a held combination has that key. Releases
    // put off for a report take effect first when they have been reported.
    void query(std::span<const int> keys, std::span<bool> down);

    // Whether a combination with that key is held or was pressed since the
    // previous take (the stop key's watch: a tap between two looks counts
    // once, whatever other queries reported meanwhile).
    bool takePress(int key);

    // True when the state may have changed since the previous call (a release
    // still put off counts as a change to come).
    bool takeChanged();

  private:
    struct State {
        bool held = false;
        bool reported = false;
        bool releaseWaits = false;
        bool pressedSinceTaken = false;
    };
    // Releases put off until a report, now that it came.
    void releaseReported();

    std::vector<KeyCombination> combinations_;
    std::vector<State> states_;
    bool changed_ = false;
};

}  // namespace pointilla::platform::wayland::gnome
