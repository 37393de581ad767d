// Capturing from the menu where no hot key is heard: the position reaches the
// slot only after the countdown, stays there until Timer3 has sampled it once,
// and a second request while armed does not start another countdown.

#include "capture/menu_capture.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include "capture/hot_key_lists.h"
#include "capture/pointer_capture.h"
#include "platform/testing/recording_desktop.h"
#include "support/qt_checks.h"

namespace pointilla::capture {

TEST(MenuCapture, CapturesOncePerRequestAfterTheCountdown) {
    platform::testing::RecordingDesktop desktop;
    desktop.setPointerPosition(platform::ScreenPoint{512, 384});
    desktop.setChangeNotifier(false);  // Timer2 polls every millisecond
    QComboBox combo1, combo2, combo3;
    for (const auto& entry : capture::firstModifierEntries())
        combo1.addItem(QString::fromStdString(entry));
    for (const auto& entry : capture::secondModifierEntries())
        combo2.addItem(QString::fromStdString(entry));
    for (const auto& entry : capture::hotKeyKeyEntries())
        combo3.addItem(QString::fromStdString(entry));
    combo1.setCurrentIndex(capture::kFirstModifierDefaultIndex);
    combo2.setCurrentIndex(capture::kSecondModifierDefaultIndex);
    QLabel label3, label4, label12;
    capture::PointerCapture pointerCapture(desktop.pointer(), desktop.keyboard(), &combo1, &combo2,
                                           &combo3, &label3, &label4, &label12);
    pointerCapture.start();
    QTimer timer3;  // driven by hand: each timeout is one sample
    QAction entry(QStringLiteral("Capturer la position"));
    MenuCapture menuCapture(&entry, pointerCapture, &timer3, std::chrono::milliseconds(150));

    entry.trigger();
    ASSERT_FALSE(entry.isEnabled());
    QTest::qWait(50);
    entry.trigger();                       // ignored: already counting down
    ASSERT_EQ(label12.text(), QString());  // the user is still pointing
    ASSERT_EVENTUALLY_EQ(label12.text(), QStringLiteral(" 512 ,  384"), 1000);

    // Held against the poll until sampled, then released.
    QTest::qWait(30);
    ASSERT_EQ(label12.text(), QStringLiteral(" 512 ,  384"));
    emit timer3.timeout({});
    ASSERT_EQ(label12.text(), QString());
    ASSERT_TRUE(entry.isEnabled());
    ASSERT_FALSE(menuCapture.armed());
}

}  // namespace pointilla::capture
