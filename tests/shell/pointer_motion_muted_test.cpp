// The window muted for pointer motion during a playback, on the test display
// (the xcb platform): what it is sent meanwhile, and that it is sent motion
// again afterwards. The pointer is moved from a second X connection, as the
// playback's own connection does.

// clang-format off
// gtest and Qt first: Xlib's macros (None, Bool, Status...) would break them.
#include <gtest/gtest.h>
#include <QApplication>
#include <QEvent>
#include <QWidget>
#include "shell/pointer_motion_muted.h"
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
// clang-format on

#include <cstdlib>
#include <memory>

namespace pointilla::shell {
namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

class EventCounts : public QObject {
  public:
    int moves = 0;
    int enters = 0;
    int presses = 0;
    void clear() { moves = enters = presses = 0; }

  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::MouseMove) ++moves;
        if (event->type() == QEvent::Enter) ++enters;
        if (event->type() == QEvent::MouseButtonPress) ++presses;
        return false;
    }
};

class PointerMotionMutedTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        const char* name = std::getenv("DISPLAY");
        if (name == nullptr || *name == '\0') return;
        qputenv("QT_QPA_PLATFORM", "xcb");
        static int argc = 1;
        static char program[] = "pointer_motion_muted_test";
        static char* argv[] = {program, nullptr};
        static QApplication application(argc, argv);
    }

    void SetUp() override {
        if (qApp == nullptr) GTEST_SKIP() << "no X display";
        mover.reset(XOpenDisplay(nullptr));
        ASSERT_TRUE(mover);
        moveTo(900, 900);  // off the window
        window.setMouseTracking(true);
        window.setGeometry(100, 100, 300, 200);
        window.installEventFilter(&counts);
        window.show();
        for (int i = 0; i < 50 && !window.isVisible(); ++i) settle();
        settle();
        counts.clear();
    }

    void moveTo(int x, int y) {
        XTestFakeMotionEvent(mover.get(), -1, x, y, CurrentTime);
        XSync(mover.get(), False);
    }
    // Lets the window take what it was sent.
    static void settle() {
        for (int i = 0; i < 20; ++i) {
            QApplication::processEvents(QEventLoop::AllEvents, 10);
            QApplication::sendPostedEvents();
        }
    }

    std::unique_ptr<Display, DisplayCloser> mover;
    QWidget window;
    EventCounts counts;
};

TEST_F(PointerMotionMutedTest, CrossingsAndButtonsStillComeButMovesOnlyAfterwards) {
    {
        const PointerMotionMuted muted(window);
        // Entering, and moves over the window, as rows run back to back.
        for (int x = 150; x < 350; x += 10) moveTo(x, 200);
        settle();
        EXPECT_EQ(counts.moves, 0);
        EXPECT_EQ(counts.enters, 1);
        XTestFakeButtonEvent(mover.get(), 1, True, CurrentTime);
        XTestFakeButtonEvent(mover.get(), 1, False, CurrentTime);
        XSync(mover.get(), False);
        settle();
        EXPECT_EQ(counts.presses, 1);
    }
    moveTo(200, 210);
    moveTo(210, 220);
    settle();
    EXPECT_GE(counts.moves, 1);
}

}  // namespace
}  // namespace pointilla::shell
