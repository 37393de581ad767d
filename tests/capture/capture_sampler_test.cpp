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

// Ticks every 200 ms against presses and holds: a press that no tick finds
// held adds exactly one row at its place; a hold adds one row per tick, and
// its press no more.
TEST(CaptureSampler, APressCountsOnceAndAHoldOncePerTick) {
    // Steps: 'p' a press heard (the hot key going down), 'h' the slot holds a
    // position, 'r' the slot empties, 't' a tick.
    struct Case {
        const char* steps;
        int rows;
    };
    const Case cases[] = {
        {"prt", 1},      // a tap between two ticks
        {"prprt", 2},    // two taps between two ticks
        {"phtrt", 1},    // a press that one tick found held
        {"phttrt", 2},   // a hold over two ticks
        {"phtrtt", 1},   // nothing more at later ticks
        {"htprt", 1},    // the hold's press heard after its tick
        {"prtphrt", 2},  // a press the poll saw, released before a tick
        {"t", 0},
    };
    for (const Case& c : cases) {
        ScenarioModel model;
        QLabel slot;
        CaptureSampler sampler(slot, model);
        for (const char* step = c.steps; *step != '\0'; ++step) {
            switch (*step) {
                case 'p':
                    sampler.notePress(QStringLiteral(" 1 ,  2"));
                    break;
                case 'h':
                    slot.setText(QStringLiteral(" 3 ,  4"));
                    break;
                case 'r':
                    slot.clear();
                    break;
                default:
                    sampler.Timer3_Timer();
                    break;
            }
        }
        ASSERT_EQ(model.count(), c.rows) << c.steps;
    }
}
