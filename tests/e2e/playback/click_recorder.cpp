// A test window that sees what a person's program would: it covers the
// screen, takes the keyboard focus, and prints each button and key event it
// receives, one per line, with root-window coordinates and the server's time:
//   ready
//   press BUTTON X Y TIME      release BUTTON X Y TIME
//   key KEYSYM-NAME TIME
// It ends when its standard input is closed.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

void printEvent(const XEvent& event) {
    switch (event.type) {
        case ButtonPress:
        case ButtonRelease:
            std::printf("%s %u %d %d %lu\n", event.type == ButtonPress ? "press" : "release",
                        event.xbutton.button, event.xbutton.x_root, event.xbutton.y_root,
                        event.xbutton.time);
            break;
        case KeyPress: {
            XKeyEvent key = event.xkey;
            const KeySym sym = XLookupKeysym(&key, 0);
            const char* name = XKeysymToString(sym);
            std::printf("key %s %lu\n", name != nullptr ? name : "?", event.xkey.time);
            break;
        }
        default:
            return;
    }
    std::fflush(stdout);
}

}  // namespace

int main() {
    const std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
    if (!display) {
        std::fprintf(stderr, "click_recorder: no display\n");
        return 1;
    }
    Display* d = display.get();
    const int screen = DefaultScreen(d);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = WhitePixel(d, screen);
    attributes.event_mask =
        ButtonPressMask | ButtonReleaseMask | KeyPressMask | StructureNotifyMask | ExposureMask;
    const Window window = XCreateWindow(
        d, RootWindow(d, screen), 0, 0, static_cast<unsigned>(DisplayWidth(d, screen)),
        static_cast<unsigned>(DisplayHeight(d, screen)), 0, CopyFromParent, InputOutput,
        CopyFromParent, CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
    XMapRaised(d, window);

    bool ready = false;
    pollfd fds[2] = {{ConnectionNumber(d), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
    while (true) {
        while (XPending(d) > 0) {
            XEvent event;
            XNextEvent(d, &event);
            if (event.type == MapNotify && !ready) {
                XSetInputFocus(d, window, RevertToParent, CurrentTime);
                XSync(d, False);
                ready = true;
                std::printf("ready\n");
                std::fflush(stdout);
            }
            printEvent(event);
        }
        if (::poll(fds, 2, -1) < 0) continue;
        if (fds[1].revents != 0) {
            char buffer[64];
            if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0) break;
        }
    }
    XDestroyWindow(d, window);
    return 0;
}
