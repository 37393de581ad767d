// Timer3's sampling: a position waiting in the slot becomes a row at the end of
// the scenario once per tick.

#include "capture/capture_sampler.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTimer>

#include "editing/scenario_model.h"

using pointilla::capture::CaptureSampler;
using pointilla::editing::ScenarioModel;
using pointilla::scenario::Row;

TEST(CaptureSampler, SamplerAppendsTheSlotOncePerTickAtTheEnd) {
    ScenarioModel model;
    model.append({"URL", "http://un"});
    model.append({"URL", "http://deux"});
    QLabel slot;
    CaptureSampler sampler(slot, model);
    ASSERT_EQ(sampler.timer()->interval(), 200);
    ASSERT_TRUE(sampler.timer()->isActive());
    ASSERT_EQ(sampler.timer()->objectName(), QStringLiteral("Timer3"));

    sampler.Timer3_Timer();  // empty slot: nothing
    ASSERT_EQ(model.count(), 2);
    slot.setText(QStringLiteral(" 512 ,  384"));
    sampler.Timer3_Timer();
    sampler.Timer3_Timer();
    ASSERT_EQ(model.count(), 4);
    ASSERT_TRUE(model.scenario().row(3) == (Row{"Position souris", " 512 ,  384"}));
    ASSERT_TRUE(model.scenario().row(4) == (Row{"Position souris", " 512 ,  384"}));
    ASSERT_EQ(slot.text(), QStringLiteral(" 512 ,  384"));  // only the poll empties it
}

// The rows of one hold are taken back in one step; the next hold is another.
TEST(CaptureSampler, AHoldIsOneStepOfTheHistory) {
    ScenarioModel model;
    QLabel slot;
    CaptureSampler sampler(slot, model);
    for (const int rows : {5, 2}) {
        slot.setText(QStringLiteral(" 1 ,  2"));
        for (int i = 0; i < rows; ++i) sampler.Timer3_Timer();
        slot.clear();
        sampler.Timer3_Timer();
    }
    ASSERT_EQ(model.count(), 7);
    model.history().undo();
    ASSERT_EQ(model.count(), 5);
    model.history().undo();
    ASSERT_EQ(model.count(), 0);
}
