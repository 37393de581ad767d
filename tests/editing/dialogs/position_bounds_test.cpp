#include "editing/dialogs/position_bounds.h"

#include <gtest/gtest.h>

namespace pointilla::editing::dialogs {
namespace {

TEST(BoundCoordinateText, ValuesBeyondTheScreenBecomeItsLastPixel) {
    EXPECT_EQ(boundCoordinateText("5000", 1024), "1023");
    EXPECT_EQ(boundCoordinateText("1025", 1024), "1023");
    EXPECT_EQ(boundCoordinateText(" 5000", 1024), "1023");
    // Far too many digits for any integer type is still "beyond the screen".
    EXPECT_EQ(boundCoordinateText("99999999999999999999", 768), "767");
}

TEST(BoundCoordinateText, ValuesUpToTheScreenSizeStayAsTyped) {
    EXPECT_EQ(boundCoordinateText("1024", 1024), "1024");
    EXPECT_EQ(boundCoordinateText("0", 1024), "0");
    EXPECT_EQ(boundCoordinateText("-10", 768), "-10");
    EXPECT_EQ(boundCoordinateText("-99999", 768), "-99999");
    // The capture's leading blank is kept, so an unchanged row stays unchanged.
    EXPECT_EQ(boundCoordinateText(" 640", 1024), " 640");
    EXPECT_EQ(boundCoordinateText("+5", 1024), "+5");
}

TEST(BoundCoordinateText, RefusesWhatIsNotAWholeNumber) {
    for (const char* text :
         {"", " ", "abc", "12a", "1.5", "-", "+", "1 2", "0x10", "-99999999999"}) {
        EXPECT_EQ(boundCoordinateText(text, 1024), std::nullopt) << '"' << text << '"';
    }
}

TEST(BoundPosition, BoundsXByWidthAndYByHeight) {
    const auto p = boundPosition("5000", "300", {1024, 768});
    ASSERT_TRUE(p);
    EXPECT_EQ(p->x, "1023");
    EXPECT_EQ(p->y, "300");
    const auto q = boundPosition("300", "800", {1024, 768});
    ASSERT_TRUE(q);
    EXPECT_EQ(q->x, "300");
    EXPECT_EQ(q->y, "767");
}

TEST(BoundPosition, FailsWhenEitherBoxIsNotANumber) {
    EXPECT_FALSE(boundPosition("x", "300", {1024, 768}));
    EXPECT_FALSE(boundPosition("300", "", {1024, 768}));
}

}  // namespace
}  // namespace pointilla::editing::dialogs
