// Drives the KWin desktop as the program does, for the end-to-end test:
//   kwin_probe read                 the pointer position: "X Y"
//   kwin_probe move X Y             moves there, then reads back: "X Y"
//   kwin_probe hotkey [keypad]      binds CTRL + ALT + 1 (top row and keypad
//                                   both, as the hot-key poll does), presses
//                                   and releases those keys (with NumLock on,
//                                   the keypad's 1 when asked) through KWin's
//                                   fake input, and prints what the keyboard
//                                   state said: "down MS" when the keys the
//                                   poll reads as CTRL + ALT + 1 read down
//                                   (MS after the last press), "up MS" once
//                                   they read up after the release.
//   kwin_probe taps MS COUNT        presses CTRL + ALT + 1 COUNT times, each
//                                   held MS milliseconds, 400 ms apart,
//                                   through KWin's fake input (for a program
//                                   that watches the hot key).
// Exits 1 with a message when something does not happen in time.

#include <linux/input-event-codes.h>
#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <thread>

#include "platform/desktop/virtual_keys.h"
#include "platform/wayland/kwin/kwin_desktop.h"
#include "platform/wayland/kwin/kwin_input.h"

namespace {

using namespace pointilla::platform;
using Clock = std::chrono::steady_clock;

int printPosition(PointerDevice& pointer) {
    const auto at = pointer.position();
    if (!at) {
        std::fprintf(stderr, "kwin_probe: no position\n");
        return 1;
    }
    std::printf("%d %d\n", at->x, at->y);
    return 0;
}

// What the probe presses for the hot key: the second modifier (ALT or SHIFT)
// and the digit 1 of the top row or of the keypad.
struct Press {
    int secondModifier = vk::kAlt;
    unsigned secondModifierKey = KEY_LEFTALT;
    unsigned digitKey = KEY_1;
};

// The keys the hot-key poll reads for CTRL + (ALT or SHIFT) + 1.
bool comboDown(KeyboardState& keyboard, const Press& press) {
    return keyboard.isDown(vk::kCtrl) && keyboard.isDown(press.secondModifier) &&
           keyboard.isDown(vk::topRowDigit(1));
}

// Waits on the keyboard's notifier until the combination reads `down`.
bool awaitCombo(KeyboardState& keyboard, const Press& press, bool down,
                std::chrono::milliseconds timeout) {
    const auto end = Clock::now() + timeout;
    while (comboDown(keyboard, press) != down) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        if (left.count() <= 0) return false;
        pollfd fd{keyboard.changeNotifier(), POLLIN, 0};
        ::poll(&fd, 1, static_cast<int>(left.count()));
        keyboard.takeChanges();
    }
    return true;
}

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

int hotKey(KeyboardState& keyboard, const Press& press) {
    auto input = wayland::kwin::KwinInput::connect();
    if (!input || !input.value()->canPressKeys()) {
        std::fprintf(stderr, "kwin_probe: KWin takes no fake keys\n");
        return 1;
    }
    wayland::kwin::KwinInput& keys = *input.value();
    // Both digits, as the hot-key poll asks for the choice "1".
    const KeyCombination combinations[] = {{vk::kCtrl, press.secondModifier, vk::topRowDigit(1)},
                                           {vk::kCtrl, press.secondModifier, vk::keypadDigit(1)}};
    keyboard.watchCombinations(combinations);
    if (comboDown(keyboard, press)) {
        std::fprintf(stderr, "kwin_probe: keys down before any press\n");
        return 1;
    }
    const unsigned pressed[] = {KEY_LEFTCTRL, press.secondModifierKey, press.digitKey};
    // Released on every path, or KWin would keep them held for the next test.
    const auto releaseAll = [&] {
        for (auto key = std::rbegin(pressed); key != std::rend(pressed); ++key) {
            keys.pressKey(*key, false);
        }
        keys.sync();
    };
    if (press.digitKey == KEY_KP1) {
        // NumLock on, so that the keypad gives digits.
        keys.pressKey(KEY_NUMLOCK, true);
        keys.pressKey(KEY_NUMLOCK, false);
    }
    for (const unsigned key : pressed) keys.pressKey(key, true);
    keys.sync();
    auto start = Clock::now();
    if (!awaitCombo(keyboard, press, true, std::chrono::seconds(3))) {
        releaseAll();
        std::fprintf(stderr, "kwin_probe: the hot key never read down\n");
        return 1;
    }
    std::printf("down %.1f\n", msSince(start));
    std::fflush(stdout);
    // Held: stays down while nothing changes.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    keyboard.takeChanges();
    if (!comboDown(keyboard, press)) {
        releaseAll();
        std::fprintf(stderr, "kwin_probe: the hot key read up while held\n");
        return 1;
    }
    releaseAll();
    start = Clock::now();
    if (!awaitCombo(keyboard, press, false, std::chrono::seconds(3))) {
        std::fprintf(stderr, "kwin_probe: the hot key still down after release\n");
        return 1;
    }
    std::printf("up %.1f\n", msSince(start));
    return 0;
}

int taps(int holdMs, int count) {
    auto input = wayland::kwin::KwinInput::connect();
    if (!input || !input.value()->canPressKeys()) {
        std::fprintf(stderr, "kwin_probe: KWin takes no fake keys\n");
        return 1;
    }
    wayland::kwin::KwinInput& keys = *input.value();
    const unsigned hotKey[] = {KEY_LEFTCTRL, KEY_LEFTALT, KEY_1};
    for (int i = 0; i < count; ++i) {
        for (const unsigned key : hotKey) keys.pressKey(key, true);
        keys.sync();
        std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
        for (auto key = std::rbegin(hotKey); key != std::rend(hotKey); ++key) {
            keys.pressKey(*key, false);
        }
        keys.sync();
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    auto opened = wayland::openKwinDesktop();
    if (!opened) {
        std::fprintf(stderr, "kwin_probe: no KWin desktop (%s)\n", opened.error().missing.c_str());
        return 1;
    }
    Desktop& desktop = *opened.value();
    const std::string_view command = argv[1];
    if (command == "read") return printPosition(desktop.pointer());
    if (command == "move" && argc == 4) {
        if (!desktop.pointer().moveTo({std::atoi(argv[2]), std::atoi(argv[3])})) return 1;
        return printPosition(desktop.pointer());
    }
    if (command == "taps" && argc == 4) return taps(std::atoi(argv[2]), std::atoi(argv[3]));
    if (command == "hotkey") {
        Press press;
        const std::string_view variant = argc == 3 ? argv[2] : "";
        if (variant == "keypad") press.digitKey = KEY_KP1;
        if (variant == "shift") {
            press.secondModifier = vk::kShift;
            press.secondModifierKey = KEY_LEFTSHIFT;
        }
        return hotKey(desktop.keyboard(), press);
    }
    return 2;
}
