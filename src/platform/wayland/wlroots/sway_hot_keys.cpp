#include "platform/wayland/wlroots/sway_hot_keys.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>

#include "platform/wayland/wlroots/sway_key_names.h"

namespace pointilla::platform::wayland {

SwayHotKeys::SwayHotKeys(std::unique_ptr<SwayIpc> ipc) : ipc_(std::move(ipc)) {}

SwayHotKeys::~SwayHotKeys() { unbindAll(); }

void SwayHotKeys::unbindAll() {
    if (ipc_) {
        for (const Bound& bound : bound_) {
            ipc_->run("unbindsym " + bound.keys);
            ipc_->run("unbindsym --release " + bound.keys);
        }
    }
    bound_.clear();
}

void SwayHotKeys::watch(std::span<const KeyCombination> combinations) {
    unbindAll();
    if (!ipc_) return;
    // Events of the previous list still on their way are recognised as stale.
    tag_ = "pointilla-" + std::to_string(::getpid()) + "-" + std::to_string(++generation_);
    for (const KeyCombination& combination : combinations) {
        const std::string keys = swayCombination(combination);
        if (keys.empty()) continue;
        if (std::any_of(bound_.begin(), bound_.end(),
                        [&](const Bound& bound) { return bound.keys == keys; })) {
            continue;
        }
        // "<keys> nop <tag> <index> press|release"
        std::string binding = keys;
        binding += " nop ";
        binding += tag_;
        binding += ' ';
        binding += std::to_string(bound_.size());
        if (!ipc_->run("bindsym --no-repeat " + binding + " press")) continue;
        ipc_->run("bindsym --release " + binding + " release");
        bound_.push_back({keys, combination, false});
    }
}

bool SwayHotKeys::takeChanges() {
    if (!ipc_) return false;
    bool changed = false;
    if (!ipc_->readBindingEvents([&](std::string_view command) { onBinding(command, changed); })) {
        // sway is gone: nothing can be held any more, and nothing more will come.
        for (Bound& bound : bound_) bound.held = false;
        bound_.clear();
        ipc_.reset();
        return true;
    }
    return changed;
}

void SwayHotKeys::onBinding(std::string_view command, bool& changed) {
    const std::string prefix = "nop " + tag_ + " ";
    if (!command.starts_with(prefix)) return;
    command.remove_prefix(prefix.size());
    std::size_t index = 0;
    const auto [end, error] =
        std::from_chars(command.data(), command.data() + command.size(), index);
    if (error != std::errc() || index >= bound_.size()) return;
    const std::string_view what(end,
                                static_cast<std::size_t>(command.data() + command.size() - end));
    const bool down = what == " press";
    if (!down && what != " release") return;
    if (bound_[index].held != down) {
        bound_[index].held = down;
        changed = true;
    }
    if (down) bound_[index].pressUnseen = true;
}

bool SwayHotKeys::anyHeld() {
    takeChanges();
    return std::any_of(bound_.begin(), bound_.end(), [](const Bound& bound) { return bound.held; });
}

bool SwayHotKeys::isDown(int virtualKey) {
    const int keys[] = {virtualKey};
    bool down[] = {false};
    queryDown(keys, down);
    return down[0];
}

void SwayHotKeys::queryDown(std::span<const int> virtualKeys, std::span<bool> down) {
    takeChanges();
    std::fill(down.begin(), down.end(), false);
    for (Bound& bound : bound_) {
        bool asked = false;
        for (std::size_t i = 0; i < virtualKeys.size() && i < down.size(); ++i) {
            if (std::find(bound.combination.begin(), bound.combination.end(), virtualKeys[i]) ==
                bound.combination.end()) {
                continue;
            }
            asked = true;
            down[i] = down[i] || bound.held || bound.pressUnseen;
        }
        if (asked) bound.pressUnseen = false;
    }
}

}  // namespace pointilla::platform::wayland
