#pragma once
// What the top row's digit keys type on the session's keyboard layouts, as
// KWin names a shortcut. KWin matches global shortcuts by the symbol a key
// types, not by the key: on a French AZERTY keyboard CTRL + ALT + 1 reaches
// KGlobalAccel as "Ctrl+Alt+&", and CTRL + SHIFT + 1 on a US one as "Ctrl+!".

#include <memory>
#include <string_view>
#include <vector>

struct xkb_context;
struct xkb_keymap;

namespace pointilla::platform::wayland::kwin {

class KeyboardLayout {
  public:
    // From the text of an XKB keymap as the compositor sends it; nullptr when
    // it does not parse.
    static std::unique_ptr<KeyboardLayout> fromKeymap(std::string_view text);
    ~KeyboardLayout();
    KeyboardLayout(const KeyboardLayout&) = delete;
    KeyboardLayout& operator=(const KeyboardLayout&) = delete;

    // The shortcut codes (Qt key with modifier bits) a digit key of the top
    // row gives with these modifiers, one per layout of the keymap. Shift is
    // left out when it only chose the symbol, as KWin does; a letter keeps it.
    std::vector<int> digitShortcuts(int digit, int qtModifiers) const;

  private:
    KeyboardLayout(xkb_context* context, xkb_keymap* keymap) : context_(context), keymap_(keymap) {}
    xkb_context* context_;
    xkb_keymap* keymap_;
};

}  // namespace pointilla::platform::wayland::kwin
