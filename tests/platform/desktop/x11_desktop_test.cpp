// The X11 backend on a real display (the test display: run under Xvfb). What
// it does is checked from a second, independent X connection.

// clang-format off
// gtest and the backend's header first: Xlib's macros (None, Bool, Status...)
// would break their templates.
#include <gtest/gtest.h>
#include "platform/x11/x11_desktop.h"
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xrandr.h>
#include <X11/keysym.h>
// clang-format on
#include <poll.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/x11/virtual_key_map.h"
#include "support/x_pointer.h"

namespace pointilla::platform {

// Readable failure messages.
void PrintTo(const ScreenPoint& point, std::ostream* out) {
    *out << "(" << point.x << ", " << point.y << ")";
}
void PrintTo(const ScreenSize& size, std::ostream* out) {
    *out << size.width << "x" << size.height;
}

namespace {

// The hot-key poll's scan table, in its order.
constexpr std::array<int, 60> kScanTable = {
    0x11, 0x12, 0x10, 0x79, 0x7A, 0x7B, 0x78, 0x77, 0x75, 0x76, 0x74, 0x73, 0x72, 0x71, 0x70,
    0x39, 0x38, 0x37, 0x35, 0x36, 0x33, 0x34, 0x31, 0x32, 0x30, 0x5A, 0x59, 0x58, 0x57, 0x56,
    0x55, 0x54, 0x53, 0x52, 0x51, 0x50, 0x4F, 0x4E, 0x4D, 0x4C, 0x4B, 0x4A, 0x49, 0x48, 0x47,
    0x46, 0x45, 0x44, 0x43, 0x42, 0x41, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69};

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using Connection = std::unique_ptr<Display, DisplayCloser>;

TEST(VirtualKeys, EachScanTableCodeStandsForItsKeys) {
    for (const int vk : kScanTable) EXPECT_FALSE(x11::keysymsForVirtualKey(vk).empty()) << vk;
    using Syms = std::vector<KeySym>;
    EXPECT_EQ(x11::keysymsForVirtualKey(0x11), (Syms{XK_Control_L, XK_Control_R}));
    EXPECT_EQ(x11::keysymsForVirtualKey(0x10), (Syms{XK_Shift_L, XK_Shift_R}));
    EXPECT_EQ(x11::keysymsForVirtualKey(0x41), (Syms{XK_A, XK_a}));
    EXPECT_EQ(x11::keysymsForVirtualKey(0x5A), (Syms{XK_Z, XK_z}));
    EXPECT_EQ(x11::keysymsForVirtualKey(0x30), Syms{XK_0});
    EXPECT_EQ(x11::keysymsForVirtualKey(0x39), Syms{XK_9});
    EXPECT_EQ(x11::keysymsForVirtualKey(0x60), Syms{XK_KP_0});
    EXPECT_EQ(x11::keysymsForVirtualKey(0x69), Syms{XK_KP_9});
    EXPECT_EQ(x11::keysymsForVirtualKey(0x70), Syms{XK_F1});
    EXPECT_EQ(x11::keysymsForVirtualKey(0x7B), Syms{XK_F12});
    EXPECT_EQ(x11::keysymsForVirtualKey(0x1B), Syms{XK_Escape});  // the stop key
    for (const int other : {-1, 0, 0x2F, 0x3A, 0x40, 0x5B, 0x6A, 0x7C, 0xFF, 0x100}) {
        EXPECT_TRUE(x11::keysymsForVirtualKey(other).empty()) << other;
    }
}

class X11DesktopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* name = std::getenv("DISPLAY");
        if (name == nullptr || *name == '\0') GTEST_SKIP() << "no X display";
        observer.reset(XOpenDisplay(name));
        ASSERT_TRUE(observer) << "cannot open " << name;
        auto opened = openX11Desktop(nullptr);
        ASSERT_TRUE(opened) << opened.error().display;
        desktop = std::move(opened).value();
    }

    // The pointer in root-window pixels, as another client sees it.
    std::pair<int, int> observedPointer() {
        return pointilla::testing::pointerSeenBy(observer.get());
    }

    void pressKey(KeySym sym, bool down) {
        const KeyCode code = XKeysymToKeycode(observer.get(), sym);
        ASSERT_NE(code, 0);
        XTestFakeKeyEvent(observer.get(), code, down ? True : False, CurrentTime);
        XSync(observer.get(), False);
    }

    Connection observer;
    std::unique_ptr<Desktop> desktop;
};

TEST(X11DesktopOpen, AMissingDisplayIsAClearErrorNotACrash) {
    const auto unreachable = openX11Desktop(":987");
    ASSERT_FALSE(unreachable);
    EXPECT_EQ(unreachable.error().kind, DesktopOpenError::Kind::Unreachable);
    EXPECT_EQ(unreachable.error().display, ":987");

    const char* saved = std::getenv("DISPLAY");
    const std::string savedName = saved != nullptr ? saved : "";
    ::unsetenv("DISPLAY");
    const auto unnamed = openX11Desktop(nullptr);
    ASSERT_FALSE(unnamed);
    EXPECT_EQ(unnamed.error().kind, DesktopOpenError::Kind::NoDisplayNamed);
    if (saved != nullptr) ::setenv("DISPLAY", savedName.c_str(), 1);
}

TEST_F(X11DesktopTest, MovesArePointerMotionOtherClientsSee) {
    // Sent by a flush alone, without a round trip of the desktop's own.
    ASSERT_TRUE(desktop->pointer().moveTo({12, 34}));
    ASSERT_TRUE(desktop->pointer().flush());
    XSync(observer.get(), False);
    EXPECT_EQ(observedPointer(), std::make_pair(12, 34));

    ASSERT_TRUE(desktop->pointer().moveTo({123, 456}));
    // The position query is a round trip: the move has been processed after it.
    EXPECT_EQ(desktop->pointer().position(), (ScreenPoint{123, 456}));
    EXPECT_EQ(observedPointer(), std::make_pair(123, 456));

    XWarpPointer(observer.get(), 0, DefaultRootWindow(observer.get()), 0, 0, 0, 0, 7, 9);
    XSync(observer.get(), False);
    EXPECT_EQ(desktop->pointer().position(), (ScreenPoint{7, 9}));

    // Far beyond the screen: kept at its edge, never wrapped round elsewhere.
    const int right = DisplayWidth(observer.get(), DefaultScreen(observer.get())) - 1;
    const int bottom = DisplayHeight(observer.get(), DefaultScreen(observer.get())) - 1;
    ASSERT_TRUE(desktop->pointer().moveTo({70000, 2147483647}));
    EXPECT_EQ(desktop->pointer().position(), (ScreenPoint{right, bottom}));
    ASSERT_TRUE(desktop->pointer().moveTo({-2147483647 - 1, 40}));
    EXPECT_EQ(desktop->pointer().position(), (ScreenPoint{0, 40}));

    const ScreenSize size = desktop->screen().primaryScreenSize();
    EXPECT_EQ(size.width, DisplayWidth(observer.get(), DefaultScreen(observer.get())));
    EXPECT_EQ(size.height, DisplayHeight(observer.get(), DefaultScreen(observer.get())));
}

// A primary monitor that is not at the screen's origin, for as long as it lives.
class PrimaryMonitor {
  public:
    PrimaryMonitor(Display* display, int x, int y, int width, int height)
        : display_(display), name_(XInternAtom(display, "POINTILLA_TEST_PRIMARY", False)) {
        XRRMonitorInfo info{};
        info.name = name_;
        info.primary = True;
        info.automatic = False;
        info.x = x;
        info.y = y;
        info.width = width;
        info.height = height;
        info.mwidth = width / 4;
        info.mheight = height / 4;
        info.noutput = 0;
        XRRSetMonitor(display_, DefaultRootWindow(display_), &info);
        XSync(display_, False);
    }
    ~PrimaryMonitor() {
        XRRDeleteMonitor(display_, DefaultRootWindow(display_), name_);
        XSync(display_, False);
    }
    PrimaryMonitor(const PrimaryMonitor&) = delete;
    PrimaryMonitor& operator=(const PrimaryMonitor&) = delete;

  private:
    Display* display_;
    Atom name_;
};

TEST_F(X11DesktopTest, PositionsCountFromThePrimaryMonitorSoOthersAreNegative) {
    const PrimaryMonitor primary(observer.get(), 640, 100, 640, 480);
    const auto opened = openX11Desktop(nullptr);
    ASSERT_TRUE(opened) << opened.error().display;
    const auto& fresh = opened.value();
    EXPECT_EQ(fresh->screen().primaryScreenSize(), (ScreenSize{640, 480}));

    ASSERT_TRUE(fresh->pointer().moveTo({-100, 50}));
    EXPECT_EQ(fresh->pointer().position(), (ScreenPoint{-100, 50}));
    EXPECT_EQ(observedPointer(), std::make_pair(540, 150));
    ASSERT_TRUE(fresh->pointer().moveTo({0, 0}));
    EXPECT_EQ(fresh->pointer().position(), (ScreenPoint{0, 0}));
    EXPECT_EQ(observedPointer(), std::make_pair(640, 100));

    // A desktop opened before the change follows it soon after.
    ScreenSize seen;
    for (int i = 0; i < 40 && seen != ScreenSize{640, 480}; ++i) {
        seen = desktop->screen().primaryScreenSize();
        if (seen != ScreenSize{640, 480}) ::usleep(50'000);
    }
    EXPECT_EQ(seen, (ScreenSize{640, 480}));
    ASSERT_TRUE(desktop->pointer().moveTo({-640, -100}));
    EXPECT_EQ(desktop->pointer().position(), (ScreenPoint{-640, -100}));
    EXPECT_EQ(observedPointer(), std::make_pair(0, 0));
}

TEST_F(X11DesktopTest, KeyStateIsGlobalAndChangesAreAnnounced) {
    KeyboardState& keys = desktop->keyboard();
    const int notifier = keys.changeNotifier();
    ASSERT_GE(notifier, 0) << "XInput2 raw key events are available on Xvfb";
    keys.takeChanges();
    EXPECT_FALSE(keys.takeChanges());

    pressKey(XK_Control_L, true);
    pressKey(XK_a, true);
    pollfd readable{notifier, POLLIN, 0};
    EXPECT_EQ(::poll(&readable, 1, 2000), 1);
    EXPECT_TRUE(keys.takeChanges());

    std::array<bool, kScanTable.size()> down{};
    keys.queryDown(kScanTable, down);
    for (std::size_t i = 0; i < kScanTable.size(); ++i) {
        const bool expected = kScanTable[i] == 0x11 || kScanTable[i] == 0x41;
        EXPECT_EQ(down[i], expected) << "virtual key " << kScanTable[i];
    }
    EXPECT_TRUE(keys.isDown(0x11));

    pressKey(XK_a, false);
    pressKey(XK_Control_L, false);
    EXPECT_FALSE(keys.isDown(0x11));
    EXPECT_FALSE(keys.isDown(0x41));
    EXPECT_EQ(::poll(&readable, 1, 2000), 1);
    EXPECT_TRUE(keys.takeChanges());
}

// The stop key between rows run back to back: a tap that went down and up
// between two asks counts once, a held key while held, another key never.
TEST_F(X11DesktopTest, ATapBetweenTwoAsksIsKept) {
    KeyboardState& keys = desktop->keyboard();
    constexpr int kEscape = 0x1B;
    const int notifier = keys.changeNotifier();
    ASSERT_GE(notifier, 0);
    EXPECT_FALSE(keys.takePress(kEscape));
    const auto arrived = [&] {
        pollfd readable{notifier, POLLIN, 0};
        return ::poll(&readable, 1, 2000) == 1;
    };
    // Once the key is up and its press taken, it no longer counts (the
    // release may come a moment after the press).
    const auto forgotten = [&] {
        for (int i = 0; i < 200; ++i) {
            if (!keys.takePress(kEscape)) return true;
            pollfd readable{notifier, POLLIN, 0};
            ::poll(&readable, 1, 10);
        }
        return false;
    };
    const struct {
        const char* what;
        KeySym sym;
        bool pressed;
        bool held;
    } cases[] = {
        {"a tap of Escape", XK_Escape, true, false},
        {"Escape held", XK_Escape, true, true},
        {"a tap of another key", XK_a, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        pressKey(c.sym, true);
        if (!c.held) pressKey(c.sym, false);
        ASSERT_TRUE(arrived());
        EXPECT_EQ(keys.takePress(kEscape), c.pressed);
        if (c.held) {
            EXPECT_TRUE(keys.takePress(kEscape));  // for as long as it is held
            pressKey(c.sym, false);
        }
        EXPECT_TRUE(forgotten());
    }
}

TEST_F(X11DesktopTest, EitherSideOfAModifierAndBothDigitRowsCount) {
    KeyboardState& keys = desktop->keyboard();
    for (const auto& [sym, vk] : std::vector<std::pair<KeySym, int>>{{XK_Shift_R, 0x10},
                                                                     {XK_Control_R, 0x11},
                                                                     {XK_Alt_L, 0x12},
                                                                     {XK_1, 0x31},
                                                                     {XK_KP_1, 0x61},
                                                                     {XK_F12, 0x7B},
                                                                     {XK_z, 0x5A}}) {
        SCOPED_TRACE(vk);
        pressKey(sym, true);
        EXPECT_TRUE(keys.isDown(vk));
        pressKey(sym, false);
        EXPECT_FALSE(keys.isDown(vk));
    }
    // The top-row 1 is not the keypad's.
    pressKey(XK_1, true);
    EXPECT_FALSE(keys.isDown(0x61));
    pressKey(XK_1, false);
    EXPECT_FALSE(keys.isDown(0x5B));  // no key stands for an unknown code
}

}  // namespace
}  // namespace pointilla::platform
