// Opens the GNOME desktop as the program does and reports what it sees:
//   gnome_pointer_probe            "size W H" then "at X Y" (or "at none")
//   gnome_pointer_probe X Y        moves there first, then reports once the
//                                  cursor metadata says the pointer arrived
//   gnome_pointer_probe --hold     prints "holding" and keeps its session, and
//                                  so the seat's pointer, until stdin closes
// Exits 1 when the desktop cannot be opened, 2 when the position never came.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <thread>

#include "platform/wayland/gnome/gnome_desktop.h"

int main(int argc, char** argv) {
    using namespace pointilla::platform;
    auto desktop = wayland::openGnomeDesktop();
    if (!desktop) {
        std::fprintf(stderr, "gnome_pointer_probe: %s: %s\n", desktop.error().compositor.c_str(),
                     desktop.error().missing.c_str());
        return 1;
    }
    if (argc == 2 && std::string_view(argv[1]) == "--hold") {
        std::printf("holding\n");
        std::fflush(stdout);
        while (std::getchar() != EOF) {
        }
        return 0;
    }
    const ScreenSize size = desktop.value()->screen().primaryScreenSize();
    std::printf("size %d %d\n", size.width, size.height);
    std::optional<ScreenPoint> target;
    if (argc == 3) {
        target = ScreenPoint{std::atoi(argv[1]), std::atoi(argv[2])};
        if (!desktop.value()->pointer().moveTo(*target)) {
            std::printf("lost\n");
            return 1;
        }
    }
    // The metadata comes with the stream's next buffer.
    std::optional<ScreenPoint> at;
    for (int tries = 0; tries < 200; ++tries) {
        at = desktop.value()->pointer().position();
        if (at && (!target || *at == *target)) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (at) {
        std::printf("at %d %d\n", at->x, at->y);
    } else {
        std::printf("at none\n");
    }
    return at ? 0 : 2;
}
