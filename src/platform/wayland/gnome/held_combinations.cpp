#include "platform/wayland/gnome/held_combinations.h"

#include <algorithm>
#include <utility>

namespace pointilla::platform::wayland::gnome {

void HeldCombinations::reset(std::vector<KeyCombination> combinations) {
    if (std::ranges::any_of(states_, [](const State& s) { return s.held; })) changed_ = true;
    combinations_ = std::move(combinations);
    states_.assign(combinations_.size(), State{});
}

void HeldCombinations::pressed(std::size_t index) {
    if (index >= states_.size()) return;
    states_[index] =
        State{.held = true, .reported = false, .releaseWaits = false, .pressedSinceTaken = true};
    changed_ = true;
}

void HeldCombinations::released(std::size_t index) {
    if (index >= states_.size() || !states_[index].held) return;
    State& state = states_[index];
    if (state.reported) {
        state.held = false;
    } else {
        state.releaseWaits = true;
    }
    changed_ = true;
}

void HeldCombinations::query(std::span<const int> keys, std::span<bool> down) {
    releaseReported();
    for (std::size_t k = 0; k < keys.size() && k < down.size(); ++k) {
        down[k] = false;
        for (std::size_t i = 0; i < states_.size(); ++i) {
            if (states_[i].held &&
                std::ranges::find(combinations_[i], keys[k]) != combinations_[i].end()) {
                down[k] = true;
                states_[i].reported = true;
            }
        }
    }
}

void HeldCombinations::releaseReported() {
    for (State& state : states_) {
        if (state.releaseWaits && state.reported)
            state = State{.pressedSinceTaken = state.pressedSinceTaken};
    }
}

bool HeldCombinations::takePress(int key) {
    releaseReported();
    bool seen = false;
    for (std::size_t i = 0; i < states_.size(); ++i) {
        if (std::ranges::find(combinations_[i], key) == combinations_[i].end()) continue;
        State& state = states_[i];
        seen = seen || state.held || state.pressedSinceTaken;
        state.pressedSinceTaken = false;
        if (state.held) state.reported = true;
    }
    return seen;
}

bool HeldCombinations::takeChanged() {
    const bool waiting =
        std::ranges::any_of(states_, [](const State& s) { return s.releaseWaits; });
    return std::exchange(changed_, false) || waiting;
}

}  // namespace pointilla::platform::wayland::gnome
