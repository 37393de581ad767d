#include "scenario/scenario.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace pointilla::scenario {
namespace {

Scenario abc() { return Scenario({{"A", "1"}, {"B", "2"}, {"C", "3"}}); }

TEST(Scenario, RowsAreNumberedFromOne) {
    const Scenario s = abc();
    EXPECT_EQ(s.count(), 3);
    EXPECT_EQ(s.action(1), "A");
    EXPECT_EQ(s.detail(3), "3");
    EXPECT_FALSE(s.contains(0));
    EXPECT_FALSE(s.contains(4));
    EXPECT_THROW((void)s.row(4), std::out_of_range);
}

TEST(Scenario, InsertingAtOneMovesEveryRowDown) {
    Scenario s = abc();
    s.insertAt(1, clickRow());
    ASSERT_EQ(s.count(), 4);
    EXPECT_EQ(s.row(1), (Row{"Clic souris", "Clic"}));
    EXPECT_EQ(s.action(2), "A");
    EXPECT_EQ(s.action(4), "C");
    s.insertAt(5, Row{"D", "4"});
    EXPECT_EQ(s.action(5), "D");
    EXPECT_THROW(s.insertAt(7, Row{}), std::out_of_range);
    EXPECT_THROW(s.insertAt(0, Row{}), std::out_of_range);
}

TEST(Scenario, EditingKeepsOrder) {
    Scenario s = abc();
    s.setDetail(2, "two");
    EXPECT_EQ(s.row(2), (Row{"B", "two"}));
    s.remove(1);
    EXPECT_EQ(s.rows(), (std::vector<Row>{{"B", "two"}, {"C", "3"}}));
    EXPECT_THROW(s.remove(3), std::out_of_range);
    s.clear();
    EXPECT_TRUE(s.empty());
}

}  // namespace
}  // namespace pointilla::scenario
