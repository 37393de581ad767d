#include "xtest_keys.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <vector>

namespace pointilla::capture::testing {

struct XTestKeys::Connection {
    struct Closer {
        void operator()(Display* display) const { XCloseDisplay(display); }
    };
    std::unique_ptr<Display, Closer> display{XOpenDisplay(nullptr)};
    std::vector<KeyCode> held;
};

XTestKeys::XTestKeys() : connection_(std::make_unique<Connection>()) {}

XTestKeys::~XTestKeys() { releaseAll(); }

bool XTestKeys::connected() const { return connection_->display != nullptr; }

bool XTestKeys::press(const char* keysymName) {
    Display* display = connection_->display.get();
    if (!display) return false;
    const KeySym keysym = XStringToKeysym(keysymName);
    const KeyCode code = keysym == NoSymbol ? 0 : XKeysymToKeycode(display, keysym);
    if (code == 0) return false;
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XSync(display, False);
    connection_->held.push_back(code);
    return true;
}

void XTestKeys::releaseAll() {
    Display* display = connection_->display.get();
    if (!display) return;
    for (auto it = connection_->held.rbegin(); it != connection_->held.rend(); ++it) {
        XTestFakeKeyEvent(display, *it, False, CurrentTime);
    }
    connection_->held.clear();
    XSync(display, False);
}

}  // namespace pointilla::capture::testing
