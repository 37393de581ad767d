#pragma once
// The keyboard after each press and release a desktop reported, kept until the
// hot-key poll takes them (KeyboardState::takeKeyEvents), for desktops that
// hear combinations through the compositor's press and release events: a tap
// whose two events are read together, or read by a key query between two
// polls, still shows as one press.

#include <algorithm>
#include <cstddef>
#include <deque>
#include <span>
#include <utility>
#include <vector>

#include "platform/desktop/desktop.h"

namespace pointilla::platform {

class KeyEventLog {
  public:
    // After a combination went down or up: the keys of the combinations held now.
    void note(std::vector<int> keysDown) {
        // A program that never takes them (a player) keeps only the last few.
        if (events_.size() == kKept) events_.pop_front();
        events_.push_back(std::move(keysDown));
    }
    // The same, from the combinations and whether each is held now.
    void noteHeld(std::span<const KeyCombination> combinations, const std::vector<bool>& held) {
        std::vector<int> keys;
        for (std::size_t i = 0; i < combinations.size() && i < held.size(); ++i) {
            if (held[i]) keys.insert(keys.end(), combinations[i].begin(), combinations[i].end());
        }
        note(std::move(keys));
    }

    std::vector<KeyboardState::KeysAfterEvent> take() {
        std::vector<KeyboardState::KeysAfterEvent> taken;
        for (std::vector<int>& keys : std::exchange(events_, {})) {
            taken.emplace_back([down = std::move(keys)](int virtualKey) {
                return std::find(down.begin(), down.end(), virtualKey) != down.end();
            });
        }
        return taken;
    }

  private:
    static constexpr std::size_t kKept = 64;
    std::deque<std::vector<int>> events_;
};

}  // namespace pointilla::platform
