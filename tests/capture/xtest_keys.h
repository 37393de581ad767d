#pragma once
// Presses keys on the X server through XTEST, as another program's keyboard
// would. Whatever is still held is released when it goes, so a failed check
// leaves no key down for the next test. Kept apart from Qt code: Xlib's macros
// clash with Qt's names.

#include <memory>

namespace pointilla::capture::testing {

class XTestKeys {
  public:
    XTestKeys();  // its own connection to $DISPLAY
    ~XTestKeys();
    XTestKeys(const XTestKeys&) = delete;
    XTestKeys& operator=(const XTestKeys&) = delete;

    bool connected() const;
    // A keysym by its X name ("Control_L", "1"); false when the keyboard lacks it.
    bool press(const char* keysymName);
    void releaseAll();

  private:
    struct Connection;
    std::unique_ptr<Connection> connection_;
};

}  // namespace pointilla::capture::testing
