#include "platform/wayland/wlroots/sway_hot_keys.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

#include "platform/wayland/wlroots/sway_key_names.h"

namespace pointilla::platform::wayland {

namespace {

std::vector<std::string> linesOf(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        if (end > 0) lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

}  // namespace

SwayHotKeys::SwayHotKeys(std::unique_ptr<SwayIpc> ipc) : ipc_(std::move(ipc)) {
    if (!ipc_) return;
    notes_ = LeftoverNotes::open("sway");
    repairLeftovers();
}

SwayHotKeys::~SwayHotKeys() { unbindAll(); }

void SwayHotKeys::giveBack(const std::string& keys, const std::vector<SwayBinding>& config,
                           const std::string& mode) {
    // Best effort: a binding sway no longer holds needs no giving back.
    for (const bool onRelease : {false, true}) {
        (void)ipc_->run(onRelease ? "unbindsym --release " + keys : "unbindsym " + keys);
        if (const auto theirs = swayBindingOf(config, mode, keys, onRelease)) {
            const std::string rebind = swayRebindCommand(*theirs);
            if (!rebind.empty()) (void)ipc_->run(rebind);
        }
    }
}

void SwayHotKeys::unbindAll() {
    const bool anyWasHeld =
        std::any_of(bound_.begin(), bound_.end(), [](const Bound& bound) { return bound.held; });
    if (ipc_) {
        for (const Bound& bound : bound_) giveBack(bound.keys, configBindings_, mode_);
        if (notes_) notes_->eraseOwn();
    }
    bound_.clear();
    if (anyWasHeld) noteHeldKeys();
}

void SwayHotKeys::noteHeldKeys() {
    std::vector<int> keys;
    for (const Bound& bound : bound_) {
        if (bound.held) keys.insert(keys.end(), bound.combination.begin(), bound.combination.end());
    }
    events_.note(std::move(keys));
}

// The note names the sway it concerns (its socket) and the keys bound there.
void SwayHotKeys::noteBound(const std::vector<std::string>& keys) {
    if (!notes_) return;
    std::string text = ipc_->socketPath() + "\n";
    for (const std::string& k : keys) text += k + "\n";
    notes_->write(text);
}

// Bindings of a killed player are undone unless a live one holds the same keys
// in the same sway; notes about a sway that has ended go too.
void SwayHotKeys::repairLeftovers() {
    if (!notes_) return;
    const std::vector<LeftoverNotes::Note> notes = notes_->all();
    std::vector<std::string> liveKeys;
    for (const auto& note : notes) {
        const std::vector<std::string> lines = linesOf(note.text);
        if (note.ended || lines.empty() || lines[0] != ipc_->socketPath()) continue;
        liveKeys.insert(liveKeys.end(), lines.begin() + 1, lines.end());
    }
    std::optional<std::vector<SwayBinding>> config;
    std::string mode;
    for (const auto& note : notes) {
        if (!note.ended) continue;
        const std::vector<std::string> lines = linesOf(note.text);
        if (lines.empty() || lines[0] != ipc_->socketPath()) {
            // Another sway's leftovers wait for a start there, unless it ended.
            std::error_code error;
            if (lines.empty() || !std::filesystem::exists(lines[0], error)) notes_->erase(note.pid);
            continue;
        }
        for (std::size_t i = 1; i < lines.size(); ++i) {
            if (std::find(liveKeys.begin(), liveKeys.end(), lines[i]) != liveKeys.end()) continue;
            if (!config) {
                config = swayKeyBindings(ipc_->loadedConfig(), readSwayIncludes);
                mode = ipc_->bindingMode();
            }
            giveBack(lines[i], *config, mode);
        }
        notes_->erase(note.pid);
    }
}

void SwayHotKeys::watch(std::span<const KeyCombination> combinations) {
    unbindAll();
    if (!ipc_) return;
    // Events of the previous list still on their way are recognised as stale.
    tag_ = "pointilla-" + std::to_string(::getpid()) + "-" + std::to_string(++generation_);
    std::vector<Bound> wanted;
    std::vector<std::string> wantedKeys;
    for (const KeyCombination& combination : combinations) {
        std::string keys = swayCombination(combination);
        if (keys.empty() ||
            std::find(wantedKeys.begin(), wantedKeys.end(), keys) != wantedKeys.end()) {
            continue;
        }
        wantedKeys.push_back(keys);
        wanted.push_back({std::move(keys), combination});
    }
    if (wanted.empty()) return;
    // Noted before binding: a kill may come at any moment.
    noteBound(wantedKeys);
    configBindings_ = swayKeyBindings(ipc_->loadedConfig(), readSwayIncludes);
    mode_ = ipc_->bindingMode();
    for (Bound& candidate : wanted) {
        // "<keys> nop <tag> <index> press|release"
        std::string binding = candidate.keys;
        binding += " nop ";
        binding += tag_;
        binding += ' ';
        binding += std::to_string(bound_.size());
        if (!ipc_->run("bindsym --no-repeat " + binding + " press")) continue;
        (void)ipc_->run("bindsym --release " + binding + " release");
        bound_.push_back(std::move(candidate));
    }
    if (bound_.size() != wanted.size()) {
        std::vector<std::string> boundKeys;
        for (const Bound& bound : bound_) boundKeys.push_back(bound.keys);
        noteBound(boundKeys);
    }
}

bool SwayHotKeys::takeChanges() {
    if (!ipc_) return false;
    bool changed = false;
    if (!ipc_->readBindingEvents([&](std::string_view command) { onBinding(command, changed); })) {
        // sway is gone: nothing can be held any more, and nothing more will come.
        bound_.clear();
        events_.note({});
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
        noteHeldKeys();
    }
    if (down) bound_[index].pressUnseen = true;
}

bool SwayHotKeys::anyHeld() {
    takeChanges();
    return std::any_of(bound_.begin(), bound_.end(),
                       [](const Bound& bound) { return bound.held || bound.pressUnseen; });
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
