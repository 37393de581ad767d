#pragma once
// Windows virtual-key codes, as the hot key is stored, mapped onto the keycodes
// of an X keyboard. The mapping is built once from the keyboard map and again
// only when the server announces a new one.

#include <X11/Xlib.h>

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace pointilla::platform::x11 {

// The keysyms that stand for a virtual key: both sides of a modifier, both
// cases of a letter, a function key, a digit of the top row or of the keypad,
// Escape (the playback's stop key).
// Empty for the codes the program never asks about.
std::vector<KeySym> keysymsForVirtualKey(int virtualKey);

class VirtualKeyMap {
  public:
    // Reads the display's keyboard map (one request).
    void rebuild(Display* display);
    // The keycodes of the keys that count as virtualKey; empty when none.
    std::span<const KeyCode> keycodes(int virtualKey) const;
    // Whether any of them is down in a 32-byte XQueryKeymap vector.
    bool isDown(int virtualKey, const char (&keymap)[32]) const;

  private:
    std::array<std::vector<KeyCode>, 256> keycodes_;
};

}  // namespace pointilla::platform::x11
