#pragma once
// `Timer3`: every 200 ms, a captured position waiting in the hand-over slot
// (`Label12`, filled by the hot-key poll while the hot key is held) becomes a
// "Position souris" row at the end of the scenario. The slot is only read here;
// the poll empties it. Holding the hot key for a second thus adds about five rows.

#include <QObject>
#include <QStringList>

class QLabel;
class QTimer;

namespace pointilla::editing {
class ScenarioModel;
}

namespace pointilla::capture {

class CaptureSampler : public QObject {
    Q_OBJECT

  public:
    static constexpr int kIntervalMs = 200;

    // Starts ticking at once; the slot and the model must outlive the sampler.
    CaptureSampler(const QLabel& slot, editing::ScenarioModel& model, QObject* parent = nullptr);
    ~CaptureSampler() override;
    CaptureSampler(const CaptureSampler&) = delete;
    CaptureSampler& operator=(const CaptureSampler&) = delete;

    QTimer* timer() const { return timer_; }

  public slots:
    void Timer3_Timer();
    // A press of the hot key (hotKeyPressed()): when no tick falls inside the
    // press, the next tick still adds its row, once.
    void notePress(const QString& position);

  private:
    const QLabel& slot_;
    editing::ScenarioModel& model_;
    QTimer* timer_;
    bool holding_ = false;  // the slot held a position at the last tick
    // Presses not yet turned into rows, oldest first.
    QStringList presses_;
};

}  // namespace pointilla::capture
