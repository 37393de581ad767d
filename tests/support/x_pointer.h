#pragma once
// Where the pointer is, as another X client sees it: root-window pixels.

#include <X11/Xlib.h>

#include <utility>

namespace pointilla::testing {

inline std::pair<int, int> pointerSeenBy(Display* observer) {
    Window root = 0;
    Window child = 0;
    int x = 0;
    int y = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned mask = 0;
    XQueryPointer(observer, DefaultRootWindow(observer), &root, &child, &x, &y, &windowX, &windowY,
                  &mask);
    return {x, y};
}

}  // namespace pointilla::testing
