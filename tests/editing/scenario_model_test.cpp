#include "editing/scenario_model.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

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

}  // namespace
}  // namespace pointilla::editing
