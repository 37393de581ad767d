#include "platform/x11/virtual_key_map.h"

#include <X11/keysym.h>

#include <algorithm>

#include "platform/desktop/virtual_keys.h"
#include "platform/x11/x_handles.h"

namespace pointilla::platform::x11 {

std::vector<KeySym> keysymsForVirtualKey(int virtualKey) {
    switch (virtualKey) {
        case vk::kEscape:
            return {XK_Escape};
        case vk::kShift:
            return {XK_Shift_L, XK_Shift_R};
        case vk::kCtrl:
            return {XK_Control_L, XK_Control_R};
        case vk::kAlt:
            return {XK_Alt_L, XK_Alt_R, XK_Meta_L, XK_Meta_R};
        default:
            break;
    }
    if (vk::isTopRowDigit(virtualKey)) {
        return {static_cast<KeySym>(XK_0 + (virtualKey - vk::topRowDigit(0)))};
    }
    if (vk::isLetter(virtualKey)) {
        return {static_cast<KeySym>(XK_A + (virtualKey - vk::letter('A'))),
                static_cast<KeySym>(XK_a + (virtualKey - vk::letter('A')))};
    }
    if (vk::isKeypadDigit(virtualKey)) {
        return {static_cast<KeySym>(XK_KP_0 + (virtualKey - vk::keypadDigit(0)))};
    }
    if (vk::isFunctionKey(virtualKey)) {
        return {static_cast<KeySym>(XK_F1 + (virtualKey - vk::functionKey(1)))};
    }
    return {};
}

void VirtualKeyMap::rebuild(Display* display) {
    for (auto& codes : keycodes_) codes.clear();
    int minKeycode = 0;
    int maxKeycode = 0;
    XDisplayKeycodes(display, &minKeycode, &maxKeycode);
    int symsPerKeycode = 0;
    const XMemory<KeySym> map(XGetKeyboardMapping(display, static_cast<KeyCode>(minKeycode),
                                                  maxKeycode - minKeycode + 1, &symsPerKeycode));
    if (!map) return;

    // Every keysym of a key counts, whatever its level or group: a virtual key
    // names a key, not the character it gives (on AZERTY "1" is a shifted level).
    for (int vk = 0; vk < 256; ++vk) {
        const auto wanted = keysymsForVirtualKey(vk);
        if (wanted.empty()) continue;
        auto& codes = keycodes_[static_cast<std::size_t>(vk)];
        for (int keycode = minKeycode; keycode <= maxKeycode; ++keycode) {
            const KeySym* syms =
                map.get() + static_cast<std::ptrdiff_t>(keycode - minKeycode) * symsPerKeycode;
            const bool matches = std::any_of(syms, syms + symsPerKeycode, [&](KeySym sym) {
                return sym != NoSymbol &&
                       std::find(wanted.begin(), wanted.end(), sym) != wanted.end();
            });
            if (matches) codes.push_back(static_cast<KeyCode>(keycode));
        }
    }
}

std::span<const KeyCode> VirtualKeyMap::keycodes(int virtualKey) const {
    if (virtualKey < 0 || virtualKey >= 256) return {};
    return keycodes_[static_cast<std::size_t>(virtualKey)];
}

bool VirtualKeyMap::isDown(int virtualKey, const char (&keymap)[32]) const {
    for (const KeyCode code : keycodes(virtualKey)) {
        if ((static_cast<unsigned char>(keymap[code / 8]) >> (code % 8)) & 1U) return true;
    }
    return false;
}

}  // namespace pointilla::platform::x11
