#include "platform/wayland/kwin/keyboard_layout.h"

#include <linux/input-event-codes.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <optional>
#include <string>

namespace pointilla::platform::wayland::kwin {
namespace {

constexpr int kQtShift = 0x02000000;
constexpr xkb_keycode_t kEvdevOffset = 8;  // XKB keycodes are evdev codes plus 8

// Qt names Latin-1 keys by their capital's code ("é" is Qt::Key_Eacute, 0xC9).
std::optional<int> qtKeyOfSymbol(xkb_keysym_t symbol, bool& isLetter) {
    isLetter = false;
    if (symbol < 0x20 || symbol > 0xfe || symbol == 0x7f || (symbol > 0x7e && symbol < 0xa0)) {
        return std::nullopt;
    }
    int key = static_cast<int>(symbol);
    if ((key >= 'a' && key <= 'z') || (key >= 0xe0 && key <= 0xfe && key != 0xf7)) key -= 0x20;
    isLetter = (key >= 'A' && key <= 'Z') || (key >= 0xc0 && key <= 0xde && key != 0xd7);
    return key;
}

}  // namespace

std::unique_ptr<KeyboardLayout> KeyboardLayout::fromKeymap(std::string_view text) {
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_DEFAULT_INCLUDES);
    if (context == nullptr) return nullptr;
    const std::string copy(text);
    xkb_keymap* keymap = xkb_keymap_new_from_string(
        context, copy.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (keymap == nullptr) {
        xkb_context_unref(context);
        return nullptr;
    }
    return std::unique_ptr<KeyboardLayout>(new KeyboardLayout(context, keymap));
}

KeyboardLayout::~KeyboardLayout() {
    xkb_keymap_unref(keymap_);
    xkb_context_unref(context_);
}

std::vector<int> KeyboardLayout::digitShortcuts(int digit, int qtModifiers) const {
    const int evdev = digit == 0 ? KEY_0 : KEY_1 + digit - 1;
    const xkb_keycode_t keycode = static_cast<xkb_keycode_t>(evdev) + kEvdevOffset;
    const bool shifted = (qtModifiers & kQtShift) != 0;
    std::vector<int> codes;
    const xkb_layout_index_t layouts = xkb_keymap_num_layouts_for_key(keymap_, keycode);
    for (xkb_layout_index_t layout = 0; layout < layouts; ++layout) {
        const xkb_keysym_t* symbols = nullptr;
        if (xkb_keymap_key_get_syms_by_level(keymap_, keycode, layout, shifted ? 1 : 0, &symbols) <
            1) {
            continue;
        }
        bool isLetter = false;
        const std::optional<int> key = qtKeyOfSymbol(symbols[0], isLetter);
        if (!key) continue;
        const int modifiers = shifted && !isLetter ? qtModifiers & ~kQtShift : qtModifiers;
        const int code = modifiers | *key;
        if (std::find(codes.begin(), codes.end(), code) == codes.end()) codes.push_back(code);
    }
    return codes;
}

}  // namespace pointilla::platform::wayland::kwin
