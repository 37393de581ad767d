// The rows that click capture makes from the presses the desktop hears: the
// pauses, their rounding, long pauses and the program's own windows.

#include "capture/click_rows.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/testing/recording_desktop.h"

namespace pointilla::capture {
namespace {

using std::chrono::milliseconds;

struct Press {
    long long atMs;
    int x;
    int y;
};

// A press at x < 0 lands on the program's own window in these cases.
bool onOwnWindow(platform::ScreenPoint point) { return point.x < 0; }

std::string describe(const std::vector<scenario::Row>& rows) {
    std::string out;
    for (const auto& row : rows) out += row.action + "|" + row.detail + "\n";
    return out;
}

struct Case {
    const char* name;
    std::vector<Press> presses;
    std::vector<std::string> rows;  // "action|detail"
    int clicks;
};

TEST(ClickRows, PressesBecomePositionClickAndDelayRows) {
    const std::string pos = "Position souris|";
    const std::string click = "Clic souris|Clic";
    const std::string delay = "Délai|";
    const std::vector<Case> cases = {
        {"one press, nothing before it", {{90'000, 512, 384}}, {pos + " 512 ,  384", click}, 1},
        {"negative Y keeps the live display's form", {{0, 10, -5}}, {pos + " 10 , -5", click}, 1},
        {"1.2 s then 2.6 s round to 1 and 3",
         {{1000, 1, 2}, {2200, 3, 4}, {4800, 5, 6}},
         {pos + " 1 ,  2", click, delay + "1", pos + " 3 ,  4", click, delay + "3", pos + " 5 ,  6",
          click},
         3},
        {"under half a second adds no delay; half a second adds one",
         {{0, 1, 1}, {499, 2, 2}, {999, 3, 3}},
         {pos + " 1 ,  1", click, pos + " 2 ,  2", click, delay + "1", pos + " 3 ,  3", click},
         3},
        {"a pause over 60 s: rows of 60 and the rest",
         {{0, 1, 1}, {130'400, 2, 2}},
         {pos + " 1 ,  1", click, delay + "60", delay + "60", delay + "10", pos + " 2 ,  2", click},
         2},
        {"exactly 120 s leaves no empty rest",
         {{0, 1, 1}, {120'000, 2, 2}},
         {pos + " 1 ,  1", click, delay + "60", delay + "60", pos + " 2 ,  2", click},
         2},
        {"own-window presses add nothing and the pause runs on",
         {{0, -1, 0}, {1000, 7, 8}, {1500, -3, 0}, {3000, 9, 9}},
         {pos + " 7 ,  8", click, delay + "2", pos + " 9 ,  9", click},
         2},
    };
    for (const Case& c : cases) {
        platform::testing::RecordingDesktop desktop;
        platform::ClickSource& source = *desktop.clicks();
        ASSERT_TRUE(source.startListening());
        for (const Press& press : c.presses) {
            desktop.pressLeftButton({press.x, press.y}, milliseconds(press.atMs));
        }
        ClickRowBuilder builder;
        std::string expected;
        for (const auto& row : c.rows) expected += row + "\n";
        EXPECT_EQ(describe(builder.takeFrom(source, onOwnWindow)), expected) << c.name;
        EXPECT_EQ(builder.clicks(), c.clicks) << c.name;
        EXPECT_TRUE(source.takePresses().empty()) << c.name;
    }
}

// Presses taken in several batches measure their pauses across the batches,
// and presses made while not listening are never heard.
TEST(ClickRows, PausesSpanBatchesAndOnlyListeningHears) {
    platform::testing::RecordingDesktop desktop;
    platform::ClickSource& source = *desktop.clicks();
    desktop.pressLeftButton({1, 1}, milliseconds(0));
    ASSERT_TRUE(source.startListening());
    ClickRowBuilder builder;
    desktop.pressLeftButton({2, 2}, milliseconds(1000));
    EXPECT_EQ(builder.takeFrom(source, {}).size(), 2U);
    desktop.pressLeftButton({3, 3}, milliseconds(3600));
    const auto rows = builder.takeFrom(source, {});
    ASSERT_EQ(rows.size(), 3U);
    EXPECT_EQ(rows[0].detail, "3");
    EXPECT_EQ(builder.clicks(), 2);
}

}  // namespace
}  // namespace pointilla::capture
