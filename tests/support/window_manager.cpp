// Does to a window what a window manager does for the user; the test display
// runs none, so the end-to-end tests play that part.
//   window_manager close WINDOW_ID     the close box: sends WM_DELETE_WINDOW
//   window_manager iconify WINDOW_ID   minimising: marks it iconic
//                                      (WM_STATE, _NET_WM_STATE_HIDDEN) and unmaps it
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

void close(Display* d, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, window, False, NoEventMask, &event);
}

void iconify(Display* d, Window window) {
    const Atom wmState = XInternAtom(d, "WM_STATE", False);
    const long iconic[2] = {IconicState, None};
    XChangeProperty(d, window, wmState, wmState, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(iconic), 2);
    const Atom netWmState = XInternAtom(d, "_NET_WM_STATE", False);
    const Atom hidden = XInternAtom(d, "_NET_WM_STATE_HIDDEN", False);
    XChangeProperty(d, window, netWmState, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&hidden), 1);
    XUnmapWindow(d, window);
}

}  // namespace

int main(int argc, char** argv) {
    const bool closing = argc == 3 && std::strcmp(argv[1], "close") == 0;
    const bool iconifying = argc == 3 && std::strcmp(argv[1], "iconify") == 0;
    if (!closing && !iconifying) {
        std::fprintf(stderr, "usage: window_manager close|iconify WINDOW_ID\n");
        return 2;
    }
    const std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
    if (!display) {
        std::fprintf(stderr, "window_manager: cannot open the display\n");
        return 1;
    }
    const Window window = std::strtoul(argv[2], nullptr, 0);
    if (closing) {
        close(display.get(), window);
    } else {
        iconify(display.get(), window);
    }
    XSync(display.get(), False);
    return 0;
}
