// Drives the KWin desktop as the program does, for the end-to-end test:
//   kwin_probe read                 the pointer position: "X Y"
//   kwin_probe move X Y             moves there, then reads back: "X Y"
//   kwin_probe hotkey               binds CTRL + ALT + 1, presses and releases
//                                   those keys through KWin's fake input, and
//                                   prints what the keyboard state said:
//                                   "down MS" when the three keys read down
//                                   (MS after the last press), "up MS" once
//                                   they read up after the release.
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

bool comboDown(KeyboardState& keyboard) {
    return keyboard.isDown(vk::kCtrl) && keyboard.isDown(vk::kAlt) &&
           keyboard.isDown(vk::topRowDigit(1));
}

// Waits on the keyboard's notifier until the combination reads `down`.
bool awaitCombo(KeyboardState& keyboard, bool down, std::chrono::milliseconds timeout) {
    const auto end = Clock::now() + timeout;
    while (comboDown(keyboard) != down) {
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

int hotKey(KeyboardState& keyboard) {
    auto input = wayland::kwin::KwinInput::connect();
    if (!input || !input.value()->canPressKeys()) {
        std::fprintf(stderr, "kwin_probe: KWin takes no fake keys\n");
        return 1;
    }
    wayland::kwin::KwinInput& keys = *input.value();
    const KeyCombination combination{vk::kCtrl, vk::kAlt, vk::topRowDigit(1)};
    keyboard.watchCombinations({&combination, 1});
    if (comboDown(keyboard)) {
        std::fprintf(stderr, "kwin_probe: keys down before any press\n");
        return 1;
    }
    for (const unsigned key : {KEY_LEFTCTRL, KEY_LEFTALT, KEY_1}) keys.pressKey(key, true);
    keys.sync();
    auto start = Clock::now();
    if (!awaitCombo(keyboard, true, std::chrono::seconds(3))) {
        std::fprintf(stderr, "kwin_probe: CTRL + ALT + 1 never read down\n");
        return 1;
    }
    std::printf("down %.1f\n", msSince(start));
    // Held: stays down while nothing changes.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    keyboard.takeChanges();
    if (!comboDown(keyboard)) {
        std::fprintf(stderr, "kwin_probe: CTRL + ALT + 1 read up while held\n");
        return 1;
    }
    for (const unsigned key : {KEY_1, KEY_LEFTALT, KEY_LEFTCTRL}) keys.pressKey(key, false);
    keys.sync();
    start = Clock::now();
    if (!awaitCombo(keyboard, false, std::chrono::seconds(3))) {
        std::fprintf(stderr, "kwin_probe: CTRL + ALT + 1 still down after release\n");
        return 1;
    }
    std::printf("up %.1f\n", msSince(start));
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
        desktop.pointer().moveTo({std::atoi(argv[2]), std::atoi(argv[3])});
        return printPosition(desktop.pointer());
    }
    if (command == "hotkey") return hotKey(desktop.keyboard());
    return 2;
}
