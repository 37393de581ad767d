#include "editing/scenario_model.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <functional>

namespace pointilla::editing {
namespace {

using scenario::Row;

std::vector<std::string> actions(const ScenarioModel& m) {
    std::vector<std::string> out;
    for (const Row& r : m.scenario().rows()) out.push_back(r.action);
    return out;
}

TEST(ScenarioModel, ShowsActionAndDetailUnderTheirHeaders) {
    ScenarioModel m;
    m.append({"D\u00e9lai", "5"});
    EXPECT_EQ(m.columnCount(), 2);
    EXPECT_EQ(m.headerData(0, Qt::Horizontal).toString(), "Action");
    EXPECT_EQ(m.headerData(1, Qt::Horizontal).toString(), QString::fromUtf8("D\u00e9tail"));
    EXPECT_EQ(m.data(m.index(0, 0)).toString(), QString::fromUtf8("D\u00e9lai"));
    EXPECT_EQ(m.data(m.index(0, 1)).toString(), "5");
    EXPECT_FALSE(m.data(m.index(1, 0)).isValid());
}

TEST(ScenarioModel, ViewsAreToldOfEveryChange) {
    ScenarioModel m;
    QSignalSpy inserted(&m, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&m, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(&m, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&m, &QAbstractItemModel::modelReset);

    m.append({"A", "1"});
    m.append({"C", "3"});
    m.insertAt(2, {"B", "2"});
    ASSERT_EQ(inserted.count(), 3);
    EXPECT_EQ(inserted.at(2).at(1).toInt(), 1) << "inserted as the second view row";
    EXPECT_EQ(actions(m), (std::vector<std::string>{"A", "B", "C"}));

    m.setDetail(3, "three");
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(m.data(m.index(2, 1)).toString(), "three");

    m.remove(1);
    EXPECT_EQ(removed.count(), 1);
    m.clear();
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(m.rowCount(), 0);
}

TEST(ScenarioModel, RemovingSeveralRowsKeepsTheOthersInOrder) {
    ScenarioModel m;
    for (const char* a : {"A", "B", "C", "D", "E"}) m.append({a, ""});
    m.removeRows({4, 2, 2, 5});
    EXPECT_EQ(actions(m), (std::vector<std::string>{"A", "C"}));
}

TEST(ScenarioModel, OutOfRangeEditsChangeNothing) {
    ScenarioModel m;
    m.append({"A", "1"});
    m.insertAt(5, {"X", ""});
    m.setDetail(2, "x");
    m.remove(0);
    EXPECT_EQ(m.scenario().rows(), (std::vector<Row>{{"A", "1"}}));
}

// Every change is one step of the history: undone, the rows are as before;
// redone, as after.
TEST(ScenarioModel, EveryChangeIsUndoneAndRedoneAsOneStep) {
    const std::vector<Row> start{{"A", "1"}, {"B", "2"}, {"C", "3"}};
    struct Case {
        const char* name;
        std::function<void(ScenarioModel&)> change;
        std::vector<Row> after;
    };
    const Case cases[] = {
        {"append",
         [](ScenarioModel& m) {
             m.append({"D", "4"});
         },
         {{"A", "1"}, {"B", "2"}, {"C", "3"}, {"D", "4"}}},
        {"insert",
         [](ScenarioModel& m) {
             m.insertAt(1, {"X", ""});
         },
         {{"X", ""}, {"A", "1"}, {"B", "2"}, {"C", "3"}}},
        {"modify",
         [](ScenarioModel& m) { m.setDetail(2, "deux"); },
         {{"A", "1"}, {"B", "deux"}, {"C", "3"}}},
        {"delete one", [](ScenarioModel& m) { m.remove(2); }, {{"A", "1"}, {"C", "3"}}},
        {"delete several",
         [](ScenarioModel& m) {
             m.removeRows({3, 1});
         },
         {{"B", "2"}}},
        {"empty", [](ScenarioModel& m) { m.clear(); }, {}},
        {"replace",
         [](ScenarioModel& m) {
             m.replaceAll({{"F", "f"}});
         },
         {{"F", "f"}}},
    };
    for (const Case& c : cases) {
        ScenarioModel m;
        m.replaceAll(start);
        const int steps = m.history().count();
        c.change(m);
        ASSERT_EQ(m.scenario().rows(), c.after) << c.name;
        ASSERT_EQ(m.history().count(), steps + 1) << c.name;
        // Twice: a step taken back and made again is whole for the next time.
        for (int round = 0; round < 2; ++round) {
            m.history().undo();
            ASSERT_EQ(m.scenario().rows(), start) << c.name;
            m.history().redo();
            ASSERT_EQ(m.scenario().rows(), c.after) << c.name;
        }
    }
}

// A group is one step however many changes it holds and however long it stays
// open; changes outside it stay steps of their own. Nothing that changes
// nothing becomes a step.
TEST(ScenarioModel, AGroupIsOneStep) {
    ScenarioModel m;
    m.append({"A", ""});
    {
        const ScenarioModel::Group hold(m);
        for (const char* a : {"P1", "P2", "P3"}) m.append({a, ""});
        const ScenarioModel::Group nested(m);
        m.append({"P4", ""});
    }
    ASSERT_FALSE(m.inGroup());
    m.beginGroup();
    m.append({"Q1", ""});
    m.endGroup();
    m.beginGroup();
    m.append({"Q2", ""});
    m.endGroup();
    m.setDetail(1, "");  // unchanged
    m.clear();
    m.clear();  // already empty
    ASSERT_EQ(m.history().count(), 5);
    m.history().undo();  // the emptying
    m.history().undo();  // Q2
    m.history().undo();  // Q1
    ASSERT_EQ(actions(m), (std::vector<std::string>{"A", "P1", "P2", "P3", "P4"}));
    m.history().undo();
    ASSERT_EQ(actions(m), (std::vector<std::string>{"A"}));
}

// Undoing back to the point marked clean (the file saved) makes it clean again.
TEST(ScenarioModel, UndoingBackToTheSavedRowsIsClean) {
    ScenarioModel m;
    m.append({"A", ""});
    m.history().setClean();
    m.append({"B", ""});
    ASSERT_FALSE(m.history().isClean());
    m.history().undo();
    ASSERT_TRUE(m.history().isClean());
    m.history().undo();
    ASSERT_FALSE(m.history().isClean());
}

}  // namespace
}  // namespace pointilla::editing
