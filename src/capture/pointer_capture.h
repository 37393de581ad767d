#pragma once
// The live pointer display and the capture hot key's poll, on the main window's
// own widgets.
//
//   PointerCapture capture(pointer, keyboard, Combo1, Combo2, Combo3,
//                          Label3, Label4, Label12, parent);
//   capture.start();
//
// - `Timer1` (100 ms) writes the pointer's X and Y as coordinate texts into
//   Label3 and Label4 (" 512", "-1200"); a failed query shows " 0" in both.
// - The hot-key poll keeps Label12 equal to Label3 + " , " + Label4 while the
//   combination shown by Combo1..Combo3 is held, and empty otherwise, exactly as
//   a poll every millisecond would. It does not need to run that often: when the
//   keyboard offers a change notifier it evaluates only when the key state may
//   have changed, after every Timer1 tick, and when a list's selection changes.
//   Without a notifier `Timer2` polls every millisecond.
// - Each press of the combination, however short, is told once by
//   hotKeyPressed() with the position shown then: from the key events the
//   keyboard keeps (X11's raw keys, a compositor's press and release of a
//   bound combination), so that a press released before the poll looked
//   still counts; else from the polls that see it go down.
// - While a playback runs, the stop key (Escape) is armed: each evaluation of
//   the poll also asks whether Escape is down and, if so, calls the stop
//   handler. Disarmed, it costs nothing.
// - Both timers are children of this object, named "Timer1" and "Timer2" (Timer2
//   stays stopped when the notifier is in use). Everything runs on the GUI thread.
// - The keyboard is told which combinations matter (the chosen hot key, Escape
//   while armed), for desktops that report only combinations bound beforehand.
//
// The devices and widgets must outlive this object (give it Form1 as parent).

#include <QComboBox>
#include <QLabel>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <functional>
#include <vector>

#include "capture/hot_key_scan.h"
#include "platform/desktop/desktop.h"
#include "platform/desktop/virtual_keys.h"

namespace pointilla::capture {

class PointerCapture : public QObject {
    Q_OBJECT

  public:
    static constexpr int kDisplayIntervalMs = 100;
    static constexpr int kPollIntervalMs = 1;

    PointerCapture(platform::PointerDevice& pointer, platform::KeyboardState& keyboard,
                   QComboBox* combo1, QComboBox* combo2, QComboBox* combo3, QLabel* label3,
                   QLabel* label4, QLabel* label12, QObject* parent = nullptr);

    // Shows the position, evaluates the poll once, then starts Timer1 and either
    // the change notifier or Timer2. Calling it again does nothing.
    void start();

    QTimer* timer1() const { return timer1_; }
    QTimer* timer2() const { return timer2_; }
    // True once start() has chosen the change notifier over the 1 ms Timer2.
    bool followsKeyChanges() const { return keyNotifier_ != nullptr; }

    // One tick of Timer1: refresh Label3 and Label4, then Label12 with them.
    void refreshPointerDisplay();
    // One tick of Timer2: Label12 from the current key state.
    void pollNow();

    // A capture asked for without the hot key (the window's menu, on a desktop
    // that lets programs hear no hot key): the poll counts the hot key as held
    // until released.
    void holdCapture(bool held);

    // Escape (or the keys given), wherever the focus is, calls onStop until
    // disarmed. A key already down when armed counts only once released and
    // pressed again: the key that started something does not stop it.
    void armStopKey(std::function<void()> onStop,
                    std::vector<int> virtualKeys = {platform::vk::kEscape});
    void disarmStopKey();
    bool stopKeyArmed() const { return static_cast<bool>(onStop_); }
    // One key-state query: whether Escape is down now.
    bool stopKeyDown();

  signals:
    // The combination went down; `position` as a captured row's detail.
    void hotKeyPressed(const QString& position);

  private:
    void onKeyNotifier();
    void followKeyEvents();
    // Follows the combination's state; a change to held is a press.
    void followHeld(bool held);
    // The entries shown by the three lists; choice() views them.
    struct ChosenKeys {
        std::string first, second, key;
        HotKeyChoice choice() const { return {first, second, key}; }
    };
    ChosenKeys chosenKeys() const;
    // Tells the keyboard which combinations to watch: the chosen hot key, and
    // Escape alone while the stop key is armed.
    void updateWatchedCombinations();
    void showCapture(bool held);
    // One key-state query: whether a stop key went down since it was last seen up.
    bool stopKeyPressed();

    platform::PointerDevice& pointer_;
    platform::KeyboardState& keyboard_;
    QComboBox* combo1_;
    QComboBox* combo2_;
    QComboBox* combo3_;
    QLabel* label3_;
    QLabel* label4_;
    QLabel* label12_;
    QTimer* timer1_;
    QTimer* timer2_;
    QSocketNotifier* keyNotifier_ = nullptr;
    std::function<void()> onStop_;
    std::vector<int> stopKeys_;
    std::vector<bool> stopKeySeenUp_;
    bool started_ = false;
    bool heldWithoutKey_ = false;
    bool lastHeld_ = false;  // the combination, as the last key event or poll saw it
};

}  // namespace pointilla::capture
