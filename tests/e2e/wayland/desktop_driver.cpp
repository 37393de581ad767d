// Drives the session's native desktop from commands on stdin, one a line, and
// answers on stdout, so that a test can check what another client sees:
//   backend            the backend the choice took ("wlroots")
//   move X Y           moves the pointer
//   click              one left click where the pointer is
//   position           "X Y" as read back, or "none"
//   watch              watches CTRL+ALT+1 and Escape
//   until VK down|up   waits (5 s at most) for that key's state: "ok" or "timeout"

#include <poll.h>

#include <chrono>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/desktop/native_desktop.h"
#include "platform/desktop/virtual_keys.h"

namespace {

namespace platform = pointilla::platform;
namespace vk = platform::vk;

bool waitForKey(platform::KeyboardState& keys, int key, bool down) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (keys.isDown(key) != down) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd ready{keys.changeNotifier(), POLLIN, 0};
        ::poll(&ready, 1, static_cast<int>(left.count()));
        keys.takeChanges();
    }
    return true;
}

}  // namespace

int main() {
    platform::DesktopNotes notes;
    auto opened = platform::openNativeDesktop(nullptr, notes);
    if (!opened) {
        std::cerr << "desktop_driver: no desktop\n";
        return 1;
    }
    platform::Desktop& desktop = **opened;
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string command;
        words >> command;
        if (command == "backend") {
            std::cout << notes.backend << std::endl;
        } else if (command == "move") {
            platform::ScreenPoint point;
            words >> point.x >> point.y;
            std::cout << (desktop.pointer().moveTo(point) ? "ok" : "lost") << std::endl;
        } else if (command == "click") {
            auto pressed = desktop.buttons().leftButtonDown();
            if (pressed) pressed = desktop.buttons().leftButtonUp();
            std::cout << (pressed ? "ok" : "lost") << std::endl;
        } else if (command == "position") {
            const auto point = desktop.pointer().position();
            if (point) {
                std::cout << point->x << ' ' << point->y << std::endl;
            } else {
                std::cout << "none" << std::endl;
            }
        } else if (command == "watch") {
            const std::vector<platform::KeyCombination> combinations{
                {vk::kCtrl, vk::kAlt, vk::topRowDigit(1)}, {vk::kEscape}};
            desktop.keyboard().watchCombinations(combinations);
            std::cout << "ok" << std::endl;
        } else if (command == "until") {
            int key = 0;
            std::string state;
            words >> key >> state;
            std::cout << (waitForKey(desktop.keyboard(), key, state == "down") ? "ok" : "timeout")
                      << std::endl;
        }
    }
    return 0;
}
