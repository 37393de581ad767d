// The hot-key poll on a real X display: keys pressed through XTEST, as another
// program's keyboard would, reach Label12 through the server's change reports.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "capture/hot_key_lists.h"
#include "capture/pointer_capture.h"
#include "platform/x11/x11_desktop.h"
#include "support/qt_checks.h"
#include "xtest_keys.h"

namespace pointilla::capture {
namespace {

using testing::XTestKeys;

}  // namespace

class X11HotKey : public ::testing::Test {
  protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("DISPLAY")) GTEST_SKIP() << "needs an X display";
        auto opened = platform::openX11Desktop(nullptr);
        ASSERT_TRUE(opened.ok()) << "cannot open $DISPLAY";
        desktop_ = std::move(opened).value();

        for (const auto& e : firstModifierEntries()) combo1_.addItem(QString::fromStdString(e));
        for (const auto& e : secondModifierEntries()) combo2_.addItem(QString::fromStdString(e));
        for (const auto& e : hotKeyKeyEntries()) combo3_.addItem(QString::fromStdString(e));
        combo1_.setCurrentIndex(kFirstModifierDefaultIndex);
        combo2_.setCurrentIndex(kSecondModifierDefaultIndex);
        capture_ =
            std::make_unique<PointerCapture>(desktop_->pointer(), desktop_->keyboard(), &combo1_,
                                             &combo2_, &combo3_, &label3_, &label4_, &label12_);
        ASSERT_TRUE(desktop_->pointer().moveTo(platform::ScreenPoint{512, 384}).ok());
        capture_->start();
    }

    std::unique_ptr<platform::Desktop> desktop_;
    QComboBox combo1_, combo2_, combo3_;
    QLabel label3_, label4_, label12_;
    std::unique_ptr<PointerCapture> capture_;
};

TEST_F(X11HotKey, StockHotKeyCapturesWhileHeld) {
    ASSERT_TRUE(capture_->followsKeyChanges());
    ASSERT_EVENTUALLY_EQ(label3_.text(), QStringLiteral(" 512"), 1000);
    ASSERT_EQ(label12_.text(), QString());
    // Timer1 stopped: only the key change reports can fill the slot.
    capture_->timer1()->stop();

    XTestKeys keys;
    ASSERT_TRUE(keys.connected());
    ASSERT_TRUE(keys.press("Control_L") && keys.press("Alt_L") && keys.press("1"));
    ASSERT_EVENTUALLY_EQ(label12_.text(), QStringLiteral(" 512 ,  384"), 1000);
    keys.releaseAll();
    ASSERT_EVENTUALLY_EQ(label12_.text(), QString(), 1000);
    capture_->timer1()->start();
}

TEST_F(X11HotKey, ShiftAsWellStopsTheCapture) {
    XTestKeys keys;
    ASSERT_TRUE(keys.press("Control_R") && keys.press("Alt_L") && keys.press("Shift_L") &&
                keys.press("1"));
    QTest::qWait(300);
    ASSERT_EQ(label12_.text(), QString());
    keys.releaseAll();
}

}  // namespace pointilla::capture
