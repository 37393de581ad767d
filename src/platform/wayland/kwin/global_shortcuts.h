#pragma once
// The keys of the combinations the program watches, as KWin's global
// shortcut service (org.kde.kglobalaccel) hears them: one shortcut of our
// component per combination, pressed and released signals in between, and
// every shortcut unregistered when the list changes or this object goes.
// A Wayland client sees no key pressed for another program, so a key outside
// the watched combinations always reads as up.

#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/dbus/sd_bus_handles.h"
#include "platform/desktop/desktop.h"
#include "platform/desktop/key_event_log.h"
#include "platform/wayland/kwin/shortcut_presses.h"

namespace pointilla::platform::wayland::kwin {

class GlobalShortcuts {
  public:
    // Every key code KWin may report a combination as (shortcutCodes()).
    using CodesOf = std::function<std::vector<int>(const KeyCombination&)>;
    // component: the name our shortcuts are kept under in KDE's settings.
    GlobalShortcuts(sd_bus* bus, std::string component, CodesOf codesOf);
    ~GlobalShortcuts();
    GlobalShortcuts(const GlobalShortcuts&) = delete;
    GlobalShortcuts& operator=(const GlobalShortcuts&) = delete;

    void watch(std::span<const KeyCombination> combinations);
    // Whether the key belongs to a watched combination held now.
    bool isDown(int virtualKey) const;
    // Whether it is held or was pressed since the previous call for it.
    bool takePress(int virtualKey) { return takeShortcutPress(bound_, virtualKey); }
    // True once after a watched combination went down or up.
    bool takeChanged() { return std::exchange(changed_, false); }
    // The keys held after each press and release KWin reported, oldest first.
    std::vector<KeyboardState::KeysAfterEvent> takeKeyEvents() { return events_.take(); }

  private:
    using Bound = BoundShortcut;
    static int onSignal(sd_bus_message* message, void* data, sd_bus_error* error);
    bool bind(const KeyCombination& keys);
    void unbind(const Bound& bound);
    void subscribe();
    // Logs the keys held now, after a change.
    void noteHeldKeys();

    sd_bus* bus_;
    std::string component_;
    CodesOf codesOf_;
    SlotHandle signals_;
    std::vector<Bound> bound_;
    bool changed_ = false;
    KeyEventLog events_;
};

}  // namespace pointilla::platform::wayland::kwin
