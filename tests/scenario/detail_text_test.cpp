#include "scenario/detail_text.h"

#include <gtest/gtest.h>

#include <climits>

namespace pointilla::scenario {
namespace {

TEST(CoordinateText, BlankTakesTheSignPlaceOfNonNegativeNumbers) {
    EXPECT_EQ(coordinateText(512), " 512");
    EXPECT_EQ(coordinateText(0), " 0");
    EXPECT_EQ(coordinateText(-3), "-3");
    EXPECT_EQ(coordinateText(-1200), "-1200");
    EXPECT_EQ(coordinateText(INT_MIN), "-2147483648");
}

TEST(PositionDetail, CaptureAndDialogFormsKeepTheirBlanks) {
    EXPECT_EQ(capturedPositionDetail(512, 384), " 512 ,  384");
    EXPECT_EQ(capturedPositionDetail(0, 0), " 0 ,  0");
    EXPECT_EQ(capturedPositionDetail(1279, 1023), " 1279 ,  1023");
    EXPECT_EQ(capturedPositionDetail(10, -5), " 10 , -5");
    EXPECT_EQ(capturedPositionDetail(-1200, 384), "-1200 ,  384");
    EXPECT_EQ(dialogPositionDetail("512", "384"), "512 ,  384");
    EXPECT_EQ(dialogPositionDetail(" 640", "480"), " 640 ,  480");
}

TEST(PositionDetail, PlaybackReadsBothFormsAtTheFirstComma) {
    EXPECT_EQ(parsePositionDetail("100 ,  200"), (Position{100, 200}));
    EXPECT_EQ(parsePositionDetail(" 100 ,  200"), (Position{100, 200}));
    EXPECT_EQ(parsePositionDetail(" 100 , 200"), (Position{100, 200}));
    EXPECT_EQ(parsePositionDetail(" 10 , -5"), (Position{10, -5}));
    EXPECT_EQ(parsePositionDetail("-1200 ,  384"), (Position{-1200, 384}));
    EXPECT_EQ(parsePositionDetail("1,2"), (Position{1, 2}));
}

TEST(PositionDetail, UnreadableDetailsGiveNothing) {
    EXPECT_FALSE(parsePositionDetail("100 200"));
    EXPECT_FALSE(parsePositionDetail(""));
    EXPECT_FALSE(parsePositionDetail(" , 5"));
    EXPECT_FALSE(parsePositionDetail("abc , 5"));
    EXPECT_FALSE(parsePositionDetail("1 , 2 , 3")) << "the second side holds a comma";
    EXPECT_FALSE(parsePositionDetail("2.5 , 3"));
    EXPECT_FALSE(parsePositionDetail("99999999999 , 3")) << "outside 32 bits";
    EXPECT_FALSE(parsePositionDetail("- 5 , 3"));
}

TEST(DialogSplit, RemovesOneBlankBeforeAndAllBlanksAfterTheComma) {
    EXPECT_EQ(splitPositionForDialog(" 512 ,  384"), (PositionBoxes{" 512", "384"}));
    EXPECT_EQ(splitPositionForDialog("512 ,  384"), (PositionBoxes{"512", "384"}));
    EXPECT_EQ(splitPositionForDialog(" 10 , -5"), (PositionBoxes{" 10", "-5"}));
    EXPECT_EQ(splitPositionForDialog("5  , 6"), (PositionBoxes{"5 ", "6"}));
    EXPECT_EQ(splitPositionForDialog("5,6"), (PositionBoxes{"5", "6"}));
    EXPECT_FALSE(splitPositionForDialog("no comma"));
}

TEST(DialogSplit, JoiningTheBoxesAgainGivesTheDialogForm) {
    // A captured row opened and confirmed unchanged keeps a detail playback reads the same.
    const auto boxes = splitPositionForDialog(capturedPositionDetail(640, 480));
    ASSERT_TRUE(boxes);
    const std::string rewritten = dialogPositionDetail(boxes->x, boxes->y);
    EXPECT_EQ(rewritten, " 640 ,  480");
    EXPECT_EQ(parsePositionDetail(rewritten), (Position{640, 480}));
}

TEST(DelaySeconds, WholeNumbersOfAtLeastOneBlanksAndLeadingZerosIgnored) {
    EXPECT_EQ(parseDelaySeconds("5"), 5);
    EXPECT_EQ(parseDelaySeconds("05"), 5);
    EXPECT_EQ(parseDelaySeconds(" 5"), 5);
    EXPECT_EQ(parseDelaySeconds("60 "), 60);
    EXPECT_EQ(parseDelaySeconds("3600"), 3600);
    for (const char* bad : {"0", "00", "-2", "+2", "2.5", "", " ", "abc", "5s", "99999999999"}) {
        EXPECT_FALSE(parseDelaySeconds(bad)) << '"' << bad << '"';
    }
}

TEST(DelaySeconds, ChoicesAreOneToSixtyInOrder) {
    const auto choices = delayChoices();
    ASSERT_EQ(choices.size(), 60u);
    EXPECT_EQ(choices.front(), "1");
    EXPECT_EQ(choices[9], "10");
    EXPECT_EQ(choices.back(), "60");
}

}  // namespace
}  // namespace pointilla::scenario
