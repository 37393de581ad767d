#include "capture/capture_sampler.h"

#include <QLabel>
#include <QTimer>

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

// The rows of one hold of the hot key are one step of the history: the group
// opens with the first row and closes at the first tick that finds the slot empty.
void CaptureSampler::Timer3_Timer() {
    const QString captured = slot_.text();
    if (captured.isEmpty()) {
        if (holding_) model_.endGroup();
        holding_ = false;
        return;
    }
    if (!holding_) model_.beginGroup();
    holding_ = true;
    model_.append(scenario::makeRow(scenario::RowKind::Position, captured.toStdString()));
}

CaptureSampler::~CaptureSampler() {
    if (holding_) model_.endGroup();
}

}  // namespace pointilla::capture
