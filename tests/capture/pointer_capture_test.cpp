// The live pointer display and the hot-key poll on real widgets, with a keyboard
// that tells of its changes through a descriptor and one that cannot.

#include "capture/pointer_capture.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "capture/capture_sampler.h"
#include "capture/hot_key_lists.h"
#include "editing/scenario_model.h"
#include "platform/desktop/virtual_keys.h"
#include "platform/testing/recording_desktop.h"
#include "support/qt_checks.h"

namespace pointilla::capture {
namespace {

using namespace platform::vk;

std::unique_ptr<QComboBox> filledCombo(const std::vector<std::string>& entries, int index) {
    auto combo = std::make_unique<QComboBox>();
    for (const auto& entry : entries) combo->addItem(QString::fromStdString(entry));
    combo->setCurrentIndex(index);
    return combo;
}

// Form1's widgets for this part, with the stock choice CTRL + ALT + 1.
struct Window {
    Window(platform::PointerDevice& pointer, platform::KeyboardState& keyboard) {
        combo1 = filledCombo(firstModifierEntries(), kFirstModifierDefaultIndex);
        combo2 = filledCombo(secondModifierEntries(), kSecondModifierDefaultIndex);
        combo3 = filledCombo(hotKeyKeyEntries(), kHotKeyKeyDefaultIndex);
        capture = std::make_unique<PointerCapture>(pointer, keyboard, combo1.get(), combo2.get(),
                                                   combo3.get(), &label3, &label4, &label12);
    }
    std::unique_ptr<QComboBox> combo1, combo2, combo3;
    QLabel label3, label4, label12;
    std::unique_ptr<PointerCapture> capture;
};

// The recording desktop tells of key changes through a descriptor, as X11 does.
struct RecordedWindow {
    platform::testing::RecordingDesktop desktop;
    Window w{desktop.pointer(), desktop.keyboard()};

    void pointAt(int x, int y) { desktop.setPointerPosition(platform::ScreenPoint{x, y}); }
    void hold(std::initializer_list<int> keys) { desktop.holdOnly(keys); }
};

// A keyboard that cannot tell of changes, so the poll must run every millisecond.
struct PolledWindow {
    PolledWindow() { desktop.setChangeNotifier(false); }
    platform::testing::RecordingDesktop desktop;
    Window w{desktop.pointer(), desktop.keyboard()};
};

}  // namespace

TEST(PointerCapture, TimersCarryTheirNamesAndIntervals) {
    RecordedWindow r;
    ASSERT_EQ(r.w.capture->timer1()->objectName(), QStringLiteral("Timer1"));
    ASSERT_EQ(r.w.capture->timer1()->interval(), 100);
    ASSERT_EQ(r.w.capture->timer2()->objectName(), QStringLiteral("Timer2"));
    ASSERT_EQ(r.w.capture->timer2()->interval(), 1);
    ASSERT_TRUE(r.w.capture->findChild<QTimer*>(QStringLiteral("Timer2")) != nullptr);
}

// For desktops that hear only combinations bound beforehand: the chosen hot
// key (top-row and keypad digit), its change, and Escape only while armed.
TEST(PointerCapture, KeyboardIsToldWhichCombinationsToWatch) {
    using Watched = std::vector<platform::KeyCombination>;
    RecordedWindow r;
    r.w.capture->start();
    ASSERT_EQ(r.desktop.watchedCombinations(),
              (Watched{{kCtrl, kAlt, topRowDigit(1)}, {kCtrl, kAlt, keypadDigit(1)}}));
    r.w.combo3->setCurrentText(QStringLiteral("F9"));
    ASSERT_EQ(r.desktop.watchedCombinations(), (Watched{{kCtrl, kAlt, functionKey(9)}}));
    r.w.capture->armStopKey([] {});
    ASSERT_EQ(r.desktop.watchedCombinations(), (Watched{{kCtrl, kAlt, functionKey(9)}, {kEscape}}));
    r.w.capture->disarmStopKey();
    r.w.combo2->setCurrentText(QString());
    ASSERT_EQ(r.desktop.watchedCombinations(), (Watched{{kCtrl, functionKey(9)}}));
}

TEST(PointerCapture, DisplayShowsCoordinateTexts) {
    RecordedWindow r;
    r.pointAt(512, 384);
    r.w.capture->start();
    ASSERT_EQ(r.w.label3.text(), QStringLiteral(" 512"));
    ASSERT_EQ(r.w.label4.text(), QStringLiteral(" 384"));
    ASSERT_TRUE(r.w.capture->timer1()->isActive());

    r.pointAt(-1200, 0);
    ASSERT_EVENTUALLY_EQ(r.w.label3.text(), QStringLiteral("-1200"), 1000);
    ASSERT_EQ(r.w.label4.text(), QStringLiteral(" 0"));
}

TEST(PointerCapture, FailedPointerQueryShowsZeroInBoth) {
    RecordedWindow r;
    r.pointAt(7, -9);
    r.w.capture->start();
    ASSERT_EQ(r.w.label4.text(), QStringLiteral("-9"));
    r.desktop.setPointerPosition(std::nullopt);
    r.w.capture->refreshPointerDisplay();
    ASSERT_EQ(r.w.label3.text(), QStringLiteral(" 0"));
    ASSERT_EQ(r.w.label4.text(), QStringLiteral(" 0"));
}

TEST(PointerCapture, SlotFollowsTheKeysThroughTheChangeNotifier) {
    RecordedWindow r;
    r.pointAt(512, 384);
    r.w.capture->start();
    ASSERT_TRUE(r.w.capture->followsKeyChanges());
    ASSERT_FALSE(r.w.capture->timer2()->isActive());
    ASSERT_EQ(r.w.label12.text(), QString());
    r.w.capture->timer1()->stop();  // only the notifier may bring the changes

    r.hold({kCtrl, kAlt, topRowDigit(1)});
    ASSERT_EVENTUALLY_EQ(r.w.label12.text(), QStringLiteral(" 512 ,  384"), 50);

    r.hold({kCtrl, kAlt, kShift, topRowDigit(1)});
    ASSERT_EVENTUALLY_EQ(r.w.label12.text(), QString(), 50);

    r.hold({kCtrl, kAlt, keypadDigit(1)});
    ASSERT_EVENTUALLY_EQ(r.w.label12.text(), QStringLiteral(" 512 ,  384"), 50);

    r.hold({kCtrl, kAlt, topRowDigit(1), letter('A')});
    ASSERT_EVENTUALLY_EQ(r.w.label12.text(), QString(), 50);

    r.hold({kCtrl, kAlt, topRowDigit(1)});
    ASSERT_EVENTUALLY_EQ(r.w.label12.text(), QStringLiteral(" 512 ,  384"), 50);
    r.hold({});
    ASSERT_EVENTUALLY_EQ(r.w.label12.text(), QString(), 50);
}

// A press is told once, also when it is released before the poll looks: a
// keyboard that keeps its key events replays them; one that does not is
// heard by the polls that see the combination go down.
TEST(PointerCapture, EachPressIsToldOnceEvenWhenReleasedBeforeThePoll) {
    for (const bool keepsEvents : {true, false}) {
        RecordedWindow r;
        r.desktop.setHearsKeyEvents(keepsEvents);
        r.pointAt(40, 50);
        r.w.capture->start();
        r.w.capture->timer1()->stop();
        QSignalSpy presses(r.w.capture.get(), &PointerCapture::hotKeyPressed);
        for (int tap = 0; tap < 3; ++tap) {
            // Down and up again before the event loop runs: kept events show it;
            // without them, only a poll that looks while it is down.
            r.hold({kCtrl, kAlt});
            r.hold({kCtrl, kAlt, topRowDigit(1)});
            if (!keepsEvents) r.w.capture->pollNow();
            r.hold({kCtrl});
            r.hold({});
            if (!keepsEvents) r.w.capture->pollNow();
        }
        QTest::qWait(20);
        r.hold({kCtrl, kAlt, topRowDigit(1)});  // a hold: told once
        for (int poll = 0; poll < 3; ++poll) r.w.capture->pollNow();
        QTest::qWait(20);
        ASSERT_EQ(presses.count(), 4) << keepsEvents;
        ASSERT_EQ(presses.at(0).at(0).toString(), QStringLiteral(" 40 ,  50"));
    }
}

TEST(PointerCapture, EmptyFirstModifierWantsCtrlUp) {
    RecordedWindow r;
    r.pointAt(3, 4);
    r.w.combo1->setCurrentIndex(0);
    r.w.capture->start();
    r.w.capture->timer1()->stop();
    r.hold({kAlt, topRowDigit(1)});
    ASSERT_EVENTUALLY_EQ(r.w.label12.text(), QStringLiteral(" 3 ,  4"), 50);
    r.hold({kCtrl, kAlt, topRowDigit(1)});
    ASSERT_EVENTUALLY_EQ(r.w.label12.text(), QString(), 50);
}

TEST(PointerCapture, HeldKeyAtStartIsSeenAtOnce) {
    RecordedWindow r;
    r.pointAt(1, 2);
    r.hold({kCtrl, kAlt, topRowDigit(1)});
    r.w.capture->start();
    ASSERT_EQ(r.w.label12.text(), QStringLiteral(" 1 ,  2"));
}

TEST(PointerCapture, SlotFollowsThePointerWhileTheKeyIsHeld) {
    RecordedWindow r;
    r.pointAt(512, 384);
    r.w.capture->start();
    r.hold({kCtrl, kAlt, topRowDigit(1)});
    ASSERT_EVENTUALLY_EQ(r.w.label12.text(), QStringLiteral(" 512 ,  384"), 50);

    // No key changes now: the next Timer1 tick alone carries the new position.
    r.pointAt(-1200, 384);
    ASSERT_EVENTUALLY_EQ(r.w.label12.text(), QStringLiteral("-1200 ,  384"), 1000);
    ASSERT_EQ(r.w.label3.text(), QStringLiteral("-1200"));
}

TEST(PointerCapture, NewChoiceActsAtOnce) {
    RecordedWindow r;
    r.pointAt(10, 20);
    r.hold({kAlt, topRowDigit(1)});
    r.w.capture->start();
    ASSERT_EQ(r.w.label12.text(), QString());
    r.w.combo1->setCurrentIndex(0);  // "": CTRL must be up
    ASSERT_EQ(r.w.label12.text(), QStringLiteral(" 10 ,  20"));
    r.w.combo3->setCurrentIndex(1);  // "2"
    ASSERT_EQ(r.w.label12.text(), QString());
}

TEST(PointerCapture, IdlePollDoesNotQueryEveryMillisecond) {
    RecordedWindow r;
    r.w.capture->start();
    const int before = r.desktop.keyQueries();
    QTest::qWait(500);
    // Only the Timer1 ticks (about five) read the keys again.
    const int queries = r.desktop.keyQueries() - before;
    ASSERT_TRUE(queries <= 8) << qPrintable(QString::number(queries));
}

TEST(PointerCapture, BackendThatAlwaysReportsChangesCannotHangThePoll) {
    RecordedWindow r;
    r.desktop.setAlwaysReportsChanges(true);
    r.w.capture->start();
    r.w.capture->timer1()->stop();
    r.hold({kCtrl, kAlt, topRowDigit(1)});
    ASSERT_EVENTUALLY(!r.w.label12.text().isEmpty(), 200);
}

TEST(PointerCapture, WithoutANotifierTimer2PollsEveryMillisecond) {
    PolledWindow p;
    p.desktop.setPointerPosition(platform::ScreenPoint{512, 384});
    p.w.capture->start();
    ASSERT_FALSE(p.w.capture->followsKeyChanges());
    ASSERT_TRUE(p.w.capture->timer2()->isActive());
    p.w.capture->timer1()->stop();  // only Timer2 may bring the changes

    p.desktop.holdOnly({kCtrl, kAlt, topRowDigit(1)});
    ASSERT_EVENTUALLY_EQ(p.w.label12.text(), QStringLiteral(" 512 ,  384"), 50);
    p.desktop.holdOnly({kCtrl, kAlt, topRowDigit(1), letter('A')});
    ASSERT_EVENTUALLY_EQ(p.w.label12.text(), QString(), 50);
    ASSERT_EQ(p.desktop.singleKeyQueries(), 0);
}

// The rows Timer3 adds, its ticks driven by hand, on a keyboard that keeps its
// key events (X11's raw keys, a compositor's press and release): a tap between
// two ticks gives one row where the pointer was, whether the poll heard it
// through the notifier or a key query read the events first (as Wayland
// keyboards do) and the next display tick replays them; a hold over three
// ticks gives three.
TEST(PointerCapture, ATapGivesOneRowAndAHoldOnePerTick) {
    for (const bool readByAQuery : {false, true}) {
        RecordedWindow r;
        r.desktop.setHearsKeyEvents(true);
        editing::ScenarioModel model;
        CaptureSampler sampler(r.w.label12, model);
        sampler.timer()->stop();
        QObject::connect(r.w.capture.get(), &PointerCapture::hotKeyPressed, &sampler,
                         &CaptureSampler::notePress);
        r.w.capture->start();
        r.w.capture->timer1()->stop();
        const auto hearKeys = [&] {
            if (readByAQuery) {
                r.desktop.keyboard().takeChanges();  // the notifier has nothing left to tell
                r.w.capture->refreshPointerDisplay();
            } else {
                QTest::qWait(20);
            }
        };

        r.pointAt(40, 50);
        r.hold({kCtrl, kAlt, topRowDigit(1)});
        r.hold({});
        hearKeys();
        r.pointAt(90, 90);
        sampler.Timer3_Timer();
        sampler.Timer3_Timer();
        ASSERT_EQ(model.count(), 1) << readByAQuery;
        ASSERT_EQ(model.scenario().row(1).detail, " 40 ,  50") << readByAQuery;

        r.hold({kCtrl, kAlt, topRowDigit(1)});
        hearKeys();
        for (int tick = 0; tick < 3; ++tick) sampler.Timer3_Timer();
        r.hold({});
        hearKeys();
        sampler.Timer3_Timer();
        ASSERT_EQ(model.count(), 4) << readByAQuery;
    }
}

TEST(PointerCapture, StartingTwiceKeepsOneNotifier) {
    RecordedWindow r;
    r.w.capture->start();
    r.w.capture->start();
    ASSERT_EQ(r.w.capture->findChildren<QSocketNotifier*>().size(), 1);
}

}  // namespace pointilla::capture
