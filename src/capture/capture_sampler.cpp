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

void CaptureSampler::Timer3_Timer() {
    const QString captured = slot_.text();
    if (captured.isEmpty()) return;
    model_.append(scenario::makeRow(scenario::RowKind::Position, captured.toStdString()));
}

}  // namespace pointilla::capture
