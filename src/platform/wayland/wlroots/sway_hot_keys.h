#pragma once
// The keyboard as sway lets a client hear it: each watched combination is bound
// with sway (a `nop` command on press, without key repeat, and another on
// release) and the binding events say when it goes down and up. A key is down
// while a held combination contains it. Other keys are never seen, and sway
// keeps a bound combination from the focused program, as any global hot key.
// The bindings are removed when the list changes and at destruction, and the
// person's own bindings of the same keys (from sway's config) are put back.
// What is bound is noted on disk until then, so that the next start undoes
// the bindings of a player that was killed.

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/desktop/desktop.h"
#include "platform/desktop/key_event_log.h"
#include "platform/wayland/common/leftover_notes.h"
#include "platform/wayland/wlroots/sway_config_bindings.h"
#include "platform/wayland/wlroots/sway_ipc.h"

namespace pointilla::platform::wayland {

class SwayHotKeys {
  public:
    // Without a connection nothing is bound and no key is ever down.
    explicit SwayHotKeys(std::unique_ptr<SwayIpc> ipc);
    ~SwayHotKeys();
    SwayHotKeys(const SwayHotKeys&) = delete;
    SwayHotKeys& operator=(const SwayHotKeys&) = delete;

    void watch(std::span<const KeyCombination> combinations);
    // A combination pressed and released between two queries still counts as
    // down for the first query that asks about one of its keys, so that a
    // quick tap (Escape) is not lost.
    bool isDown(int virtualKey);
    void queryDown(std::span<const int> virtualKeys, std::span<bool> down);
    // Whether any watched combination is held now, or was pressed since a
    // query last asked about it (a tap whose position is still to be read).
    bool anyHeld();
    int changeNotifier() const { return ipc_ ? ipc_->eventFd() : -1; }
    // Reads the events that arrived; true when a combination went down or up.
    bool takeChanges();
    // The keys held after each press and release sway reported, oldest first.
    std::vector<KeyboardState::KeysAfterEvent> takeKeyEvents() { return events_.take(); }

  private:
    struct Bound {
        std::string keys;  // sway's name of the combination, "Ctrl+Mod1+1"
        KeyCombination combination;
        bool held = false;
        bool pressUnseen = false;  // pressed since the last query about it
    };
    void unbindAll();
    // Unbinds this program's bindings of `keys` and binds the config's again.
    void giveBack(const std::string& keys, const std::vector<SwayBinding>& config,
                  const std::string& mode);
    void noteBound(const std::vector<std::string>& keys);
    void repairLeftovers();
    void onBinding(std::string_view command, bool& changed);
    // Logs the keys held now, after a change.
    void noteHeldKeys();

    std::unique_ptr<SwayIpc> ipc_;
    std::vector<Bound> bound_;
    KeyEventLog events_;
    std::optional<LeftoverNotes> notes_;
    std::vector<SwayBinding> configBindings_;  // read when binding
    std::string mode_;                         // where the bindings went
    std::string tag_;  // marks this program's commands; changes with each list
    unsigned generation_ = 0;
};

}  // namespace pointilla::platform::wayland
