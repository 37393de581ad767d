#include "capture/pointer_capture.h"

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "capture/hot_key_scan.h"
#include "platform/desktop/virtual_keys.h"
#include "scenario/detail_text.h"

namespace pointilla::capture {
namespace {

void setTextIfChanged(QLabel* label, const QString& text) {
    if (label->text() != text) label->setText(text);
}

// Reading queued events can make the notifier's descriptor readable again while
// the key state is being queried; a few rounds settle it without risking a loop
// on a backend that always reports changes.
constexpr int kMaxPollRoundsPerNotification = 4;

// The keys' down states in one query (std::span<bool> needs contiguous bools,
// which vector<bool> is not).
std::unique_ptr<bool[]> keysDown(platform::KeyboardState& keyboard, const std::vector<int>& keys) {
    auto down = std::make_unique<bool[]>(keys.size());
    keyboard.queryDown(keys, std::span<bool>(down.get(), keys.size()));
    return down;
}

// The keyboard as it stood after one key event, asked as the live one is.
class KeysAfterEventBoard final : public platform::KeyboardState {
  public:
    explicit KeysAfterEventBoard(const KeysAfterEvent& keys) : keys_(keys) {}
    bool isDown(int virtualKey) override { return keys_(virtualKey); }
    void queryDown(std::span<const int> virtualKeys, std::span<bool> down) override {
        for (std::size_t i = 0; i < virtualKeys.size() && i < down.size(); ++i) {
            down[i] = keys_(virtualKeys[i]);
        }
    }

  private:
    const KeysAfterEvent& keys_;
};

}  // namespace

PointerCapture::PointerCapture(platform::PointerDevice& pointer, platform::KeyboardState& keyboard,
                               QComboBox* combo1, QComboBox* combo2, QComboBox* combo3,
                               QLabel* label3, QLabel* label4, QLabel* label12, QObject* parent)
    : QObject(parent),
      pointer_(pointer),
      keyboard_(keyboard),
      combo1_(combo1),
      combo2_(combo2),
      combo3_(combo3),
      label3_(label3),
      label4_(label4),
      label12_(label12),
      timer1_(new QTimer(this)),
      timer2_(new QTimer(this)) {
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(kDisplayIntervalMs);
    connect(timer1_, &QTimer::timeout, this, &PointerCapture::refreshPointerDisplay);

    timer2_->setObjectName(QStringLiteral("Timer2"));
    timer2_->setInterval(kPollIntervalMs);
    connect(timer2_, &QTimer::timeout, this, &PointerCapture::pollNow);

    // A new choice acts at once, as it would from the next 1 ms tick.
    for (QComboBox* combo : {combo1_, combo2_, combo3_}) {
        connect(combo, &QComboBox::currentIndexChanged, this, [this] {
            if (!started_) return;
            updateWatchedCombinations();
            pollNow();
        });
    }
}

void PointerCapture::start() {
    if (started_) return;
    started_ = true;

    const int fd = keyboard_.changeNotifier();
    if (fd >= 0) {
        // Owned by this object, its Qt parent.
        // NOLINTNEXTLINE(cppcoreguidelines-owning-memory)
        keyNotifier_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(keyNotifier_, &QSocketNotifier::activated, this, &PointerCapture::onKeyNotifier);
        keyboard_.takeChanges();  // what was pending is covered by the first poll below
    }
    updateWatchedCombinations();
    refreshPointerDisplay();
    timer1_->start();
    if (!keyNotifier_) timer2_->start();
}

void PointerCapture::refreshPointerDisplay() {
    const auto position = pointer_.position();
    const platform::ScreenPoint point = position.value_or(platform::ScreenPoint{0, 0});
    setTextIfChanged(label3_, QString::fromStdString(scenario::coordinateText(point.x)));
    setTextIfChanged(label4_, QString::fromStdString(scenario::coordinateText(point.y)));
    // Label12 copies the displayed texts; the key query here is also a safety net
    // for a change the notifier might not have told.
    pollNow();
}

PointerCapture::ChosenKeys PointerCapture::chosenKeys() const {
    return {combo1_->currentText().toStdString(), combo2_->currentText().toStdString(),
            combo3_->currentText().toStdString()};
}

void PointerCapture::pollNow() {
    const bool held = isHotKeyHeld(keyboard_, chosenKeys().choice());
    showCapture(heldWithoutKey_ || held);
    if (keyboard_.hearsKeyEvents()) {
        followKeyEvents();
    } else {
        followHeld(held);
    }
    if (onStop_ && stopKeyPressed()) {
        // The handler may disarm (and so destroy the function being run).
        const auto onStop = onStop_;
        onStop();
    }
}

void PointerCapture::holdCapture(bool held) {
    heldWithoutKey_ = held;
    pollNow();
}

void PointerCapture::armStopKey(std::function<void()> onStop, std::vector<int> virtualKeys) {
    const bool keysChanged = !stopKeyArmed() || virtualKeys != stopKeys_;
    onStop_ = std::move(onStop);
    stopKeys_ = std::move(virtualKeys);
    // Keys up now count from their next press; one held now, once released.
    const auto down = keysDown(keyboard_, stopKeys_);
    stopKeySeenUp_.assign(stopKeys_.size(), false);
    for (std::size_t i = 0; i < stopKeys_.size(); ++i) stopKeySeenUp_[i] = !down[i];
    if (started_ && keysChanged) updateWatchedCombinations();
}

void PointerCapture::disarmStopKey() {
    const bool wasArmed = stopKeyArmed();
    onStop_ = nullptr;
    if (started_ && wasArmed) updateWatchedCombinations();
}

void PointerCapture::updateWatchedCombinations() {
    std::vector<platform::KeyCombination> combinations = combinationsOf(chosenKeys().choice());
    if (stopKeyArmed()) {
        for (const int stopKey : stopKeys_) combinations.push_back({stopKey});
    }
    keyboard_.watchCombinations(combinations);
}

bool PointerCapture::stopKeyDown() { return keyboard_.isDown(platform::vk::kEscape); }

bool PointerCapture::stopKeyPressed() {
    const auto down = keysDown(keyboard_, stopKeys_);
    bool pressed = false;
    for (std::size_t i = 0; i < stopKeys_.size(); ++i) {
        if (!down[i]) {
            stopKeySeenUp_[i] = true;
        } else if (stopKeySeenUp_[i]) {
            pressed = true;
        }
    }
    return pressed;
}

void PointerCapture::onKeyNotifier() {
    for (int round = 0; round < kMaxPollRoundsPerNotification && keyboard_.takeChanges(); ++round) {
        // The change may be the hot key going down: the display is read again
        // first, so the capture holds where the pointer is now. (A desktop that
        // reads the pointer only while the hot key is held, as on sway, would
        // otherwise hand over a stale position.) The poll then hears the key
        // events at that position.
        refreshPointerDisplay();
    }
}

// Presses the poll may have missed, at the position shown: a key query may
// also have read events, so every poll replays what is kept.
void PointerCapture::followKeyEvents() {
    const ChosenKeys chosen = chosenKeys();
    for (const auto& keys : keyboard_.takeKeyEvents()) {
        KeysAfterEventBoard board(keys);
        followHeld(isHotKeyHeld(board, chosen.choice()));
    }
}

void PointerCapture::followHeld(bool held) {
    const bool pressed = held && !lastHeld_;
    lastHeld_ = held;
    if (!pressed) return;
    emit hotKeyPressed(QString::fromStdString(scenario::capturedPositionDetail(
        label3_->text().toStdString(), label4_->text().toStdString())));
}

void PointerCapture::showCapture(bool held) {
    const QString text = held ? QString::fromStdString(scenario::capturedPositionDetail(
                                    label3_->text().toStdString(), label4_->text().toStdString()))
                              : QString();
    setTextIfChanged(label12_, text);
}

}  // namespace pointilla::capture
