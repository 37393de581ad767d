// Does to a window what a window manager does when the user minimises it:
// marks it iconic (WM_STATE and _NET_WM_STATE_HIDDEN) and unmaps it. The test
// display runs no window manager, so the test plays that part.
//   iconify_window WINDOW_ID
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: iconify_window WINDOW_ID\n");
        return 2;
    }
    const std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
    if (!display) {
        std::fprintf(stderr, "iconify_window: cannot open the display\n");
        return 1;
    }
    const Window window = std::strtoul(argv[1], nullptr, 0);
    Display* d = display.get();

    const Atom wmState = XInternAtom(d, "WM_STATE", False);
    const long iconic[2] = {IconicState, None};
    XChangeProperty(d, window, wmState, wmState, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(iconic), 2);
    const Atom netWmState = XInternAtom(d, "_NET_WM_STATE", False);
    const Atom hidden = XInternAtom(d, "_NET_WM_STATE_HIDDEN", False);
    XChangeProperty(d, window, netWmState, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&hidden), 1);
    XUnmapWindow(d, window);
    XSync(d, False);
    return 0;
}
