// The live pointer display and the hot-key poll on real widgets, with a keyboard
// that tells of its changes through a descriptor and one that cannot.

#include "capture/pointer_capture.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "capture/hot_key_lists.h"
#include "fake_devices.h"

namespace pointilla::capture {
namespace {

using namespace testing;

QComboBox* filledCombo(const std::vector<std::string>& entries, int index) {
    auto* combo = new QComboBox;
    for (const auto& entry : entries) combo->addItem(QString::fromStdString(entry));
    combo->setCurrentIndex(index);
    return combo;
}

// Form1's widgets for this part, with the stock choice CTRL + ALT + 1.
struct Window {
    explicit Window(FakeKeyboard::Notifier notifier) : keyboard(notifier) {
        combo1.reset(filledCombo(firstModifierEntries(), kFirstModifierDefaultIndex));
        combo2.reset(filledCombo(secondModifierEntries(), kSecondModifierDefaultIndex));
        combo3.reset(filledCombo(hotKeyKeyEntries(), kHotKeyKeyDefaultIndex));
        capture = std::make_unique<PointerCapture>(pointer, keyboard, combo1.get(), combo2.get(),
                                                   combo3.get(), &label3, &label4, &label12);
    }
    FakePointer pointer;
    FakeKeyboard keyboard;
    std::unique_ptr<QComboBox> combo1, combo2, combo3;
    QLabel label3, label4, label12;
    std::unique_ptr<PointerCapture> capture;
};

constexpr auto kFollows = FakeKeyboard::Notifier::EventFd;
constexpr auto kPolls = FakeKeyboard::Notifier::None;

}  // namespace

class PointerCaptureTest : public QObject {
    Q_OBJECT

  private slots:
    void timersCarryTheirNamesAndIntervals() {
        Window w(kFollows);
        QCOMPARE(w.capture->timer1()->objectName(), QStringLiteral("Timer1"));
        QCOMPARE(w.capture->timer1()->interval(), 100);
        QCOMPARE(w.capture->timer2()->objectName(), QStringLiteral("Timer2"));
        QCOMPARE(w.capture->timer2()->interval(), 1);
        QVERIFY(w.capture->findChild<QTimer*>(QStringLiteral("Timer2")) != nullptr);
    }

    void displayShowsCoordinateTexts() {
        Window w(kFollows);
        w.pointer.at = platform::ScreenPoint{512, 384};
        w.capture->start();
        QCOMPARE(w.label3.text(), QStringLiteral(" 512"));
        QCOMPARE(w.label4.text(), QStringLiteral(" 384"));
        QVERIFY(w.capture->timer1()->isActive());

        w.pointer.at = platform::ScreenPoint{-1200, 0};
        QTRY_COMPARE_WITH_TIMEOUT(w.label3.text(), QStringLiteral("-1200"), 1000);
        QCOMPARE(w.label4.text(), QStringLiteral(" 0"));
    }

    void failedPointerQueryShowsZeroInBoth() {
        Window w(kFollows);
        w.pointer.at = platform::ScreenPoint{7, 9};
        w.capture->start();
        w.pointer.at.reset();
        w.capture->refreshPointerDisplay();
        QCOMPARE(w.label3.text(), QStringLiteral(" 0"));
        QCOMPARE(w.label4.text(), QStringLiteral(" 0"));
    }

    void slotFollowsTheKeysThroughTheChangeNotifier() {
        Window w(kFollows);
        w.pointer.at = platform::ScreenPoint{512, 384};
        w.capture->start();
        QVERIFY(w.capture->followsKeyChanges());
        QVERIFY(!w.capture->timer2()->isActive());
        QCOMPARE(w.label12.text(), QString());
        w.capture->timer1()->stop();  // only the notifier may bring the changes

        w.keyboard.hold({kCtrl, kAlt, kTop1});
        QTRY_COMPARE_WITH_TIMEOUT(w.label12.text(), QStringLiteral(" 512 ,  384"), 50);

        w.keyboard.hold({kCtrl, kAlt, kShift, kTop1});
        QTRY_COMPARE_WITH_TIMEOUT(w.label12.text(), QString(), 50);

        w.keyboard.hold({kCtrl, kAlt, kKeypad1});
        QTRY_COMPARE_WITH_TIMEOUT(w.label12.text(), QStringLiteral(" 512 ,  384"), 50);

        w.keyboard.hold({});
        QTRY_COMPARE_WITH_TIMEOUT(w.label12.text(), QString(), 50);
    }

    void heldKeyAtStartIsSeenAtOnce() {
        Window w(kFollows);
        w.pointer.at = platform::ScreenPoint{1, 2};
        w.keyboard.held = {kCtrl, kAlt, kTop1};
        w.capture->start();
        QCOMPARE(w.label12.text(), QStringLiteral(" 1 ,  2"));
    }

    void slotFollowsThePointerWhileTheKeyIsHeld() {
        Window w(kFollows);
        w.pointer.at = platform::ScreenPoint{512, 384};
        w.capture->start();
        w.keyboard.hold({kCtrl, kAlt, kTop1});
        QTRY_COMPARE_WITH_TIMEOUT(w.label12.text(), QStringLiteral(" 512 ,  384"), 50);

        // No key changes now: the next Timer1 tick alone carries the new position.
        w.pointer.at = platform::ScreenPoint{-1200, 384};
        QTRY_COMPARE_WITH_TIMEOUT(w.label12.text(), QStringLiteral("-1200 ,  384"), 1000);
        QCOMPARE(w.label3.text(), QStringLiteral("-1200"));
    }

    void newChoiceActsAtOnce() {
        Window w(kFollows);
        w.pointer.at = platform::ScreenPoint{10, 20};
        w.keyboard.held = {kAlt, kTop1};
        w.capture->start();
        QCOMPARE(w.label12.text(), QString());
        w.combo1->setCurrentIndex(0);  // "" : CTRL must be up
        QCOMPARE(w.label12.text(), QStringLiteral(" 10 ,  20"));
        w.combo3->setCurrentIndex(1);  // "2"
        QCOMPARE(w.label12.text(), QString());
    }

    void idlePollDoesNotQueryEveryMillisecond() {
        Window w(kFollows);
        w.capture->start();
        const int before = w.keyboard.batchedQueries;
        QTest::qWait(500);
        // Only the Timer1 ticks (about five) re-read the keys.
        QVERIFY2(w.keyboard.batchedQueries - before <= 8,
                 qPrintable(QString::number(w.keyboard.batchedQueries - before)));
        QCOMPARE(w.keyboard.singleQueries, 0);
    }

    void backendThatAlwaysReportsChangesCannotHangThePoll() {
        Window w(kFollows);
        w.keyboard.alwaysReportChanges = true;
        w.capture->start();
        w.capture->timer1()->stop();
        w.keyboard.hold({kCtrl, kAlt, kTop1});
        QTRY_VERIFY_WITH_TIMEOUT(!w.label12.text().isEmpty(), 200);
    }

    void withoutANotifierTimer2PollsEveryMillisecond() {
        Window w(kPolls);
        w.pointer.at = platform::ScreenPoint{512, 384};
        w.capture->start();
        QVERIFY(!w.capture->followsKeyChanges());
        QVERIFY(w.capture->timer2()->isActive());
        w.capture->timer1()->stop();  // only Timer2 may bring the changes

        w.keyboard.held = {kCtrl, kAlt, kTop1};
        QTRY_COMPARE_WITH_TIMEOUT(w.label12.text(), QStringLiteral(" 512 ,  384"), 50);
        w.keyboard.held = {kCtrl, kAlt, kTop1, kKeyA};
        QTRY_COMPARE_WITH_TIMEOUT(w.label12.text(), QString(), 50);
    }

    void startingTwiceKeepsOneNotifierAndTimer() {
        Window w(kFollows);
        w.capture->start();
        w.capture->start();
        QCOMPARE(w.capture->findChildren<QSocketNotifier*>().size(), 1);
    }
};

}  // namespace pointilla::capture

QTEST_MAIN(pointilla::capture::PointerCaptureTest)
#include "pointer_capture_test.moc"
