#include "capture/capture_sampler.h"

#include <QLabel>
#include <QTimer>
#include <utility>

#include "editing/scenario_model.h"
#include "scenario/row.h"

namespace pointilla::capture {

CaptureSampler::CaptureSampler(const QLabel& slot, editing::ScenarioModel& model, QObject* parent)
    : QObject(parent), slot_(slot), model_(model), timer_(new QTimer(this)) {
    timer_->setObjectName(QStringLiteral("Timer3"));
    timer_->setInterval(kIntervalMs);
    connect(timer_, &QTimer::timeout, this, &CaptureSampler::Timer3_Timer);
    timer_->start();
}

// A hold adds a row at each tick that finds it held; a press that no tick
// found held adds one row at the next tick, at the place it was pressed. The
// rows of one hold are one step of the history: the group opens with the
// first row and closes at the first tick that finds the slot empty.
void CaptureSampler::Timer3_Timer() {
    const QString captured = slot_.text();
    if (captured.isEmpty()) {
        if (holding_) {
            // The presses heard meanwhile began the hold that was just counted.
            presses_.clear();
            model_.endGroup();
        }
        holding_ = false;
        for (const QString& position : std::exchange(presses_, {})) {
            model_.append(scenario::makeRow(scenario::RowKind::Position, position.toStdString()));
        }
        return;
    }
    presses_.clear();
    if (!holding_) model_.beginGroup();
    holding_ = true;
    model_.append(scenario::makeRow(scenario::RowKind::Position, captured.toStdString()));
}

void CaptureSampler::notePress(const QString& position) { presses_.append(position); }

CaptureSampler::~CaptureSampler() {
    if (holding_) model_.endGroup();
}

}  // namespace pointilla::capture
