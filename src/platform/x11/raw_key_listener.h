#pragma once
// Tells when any key of the display goes down or up, whichever program has the
// focus: XInput2 raw key events on a connection of its own, which makes no
// other request, so its socket is readable exactly when events wait.

#include <array>
#include <bitset>
#include <span>
#include <string>
#include <vector>

#include "platform/x11/connection_loss.h"
#include "platform/x11/x_handles.h"

namespace pointilla::platform::x11 {

class RawKeyListener {
  public:
    // Opens the connection; false (and nothing held) without XInput 2.1 or more.
    bool open(const std::string& displayName);
    // The connection's file descriptor, -1 when not open.
    int fd() const;
    // Drains what arrived; true when a key went down or up or the keyboard map changed.
    bool drain();
    // Whether one of these keys is held, or went down since its presses were
    // last taken (they are then forgotten); drains first. A tap that went down
    // and up between two calls counts.
    bool takePress(std::span<const KeyCode> codes);

    // A 32-byte keymap, as XQueryKeymap gives it.
    using Keymap = std::array<char, 32>;
    // The keyboard after each key event drain() consumed since the last call.
    std::vector<Keymap> takeKeymaps();

  private:
    static constexpr std::size_t kTrailLimit = 256;
    void noteKeyEvent(XGenericEventCookie& cookie);

    BrokenConnectionWatch watch_;  // outlives the connection's closing
    DisplayHandle display_;
    int xiOpcode_ = 0;
    std::bitset<256> held_;     // by keycode, from the events
    std::bitset<256> pressed_;  // went down since last taken
    Keymap mirror_{};  // follows the events from the state read at open()
    std::vector<Keymap> trail_;
};

}  // namespace pointilla::platform::x11
