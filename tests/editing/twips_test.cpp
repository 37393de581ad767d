// Design values convert to the nearest pixel, the same in the main window and
// the dialogs: truncating would make the list's second column one pixel short.
#include "editing/twips.h"

#include <gtest/gtest.h>

namespace pointilla::editing {
namespace {

TEST(Twips, ConvertToTheNearestPixel) {
    EXPECT_EQ(twipsToPixels(7695), 513);
    EXPECT_EQ(twipsToPixels(1775), 118);
    EXPECT_EQ(twipsToPixels(1780), 119);
    EXPECT_EQ(twipsToPixels(520), 35);
    EXPECT_EQ(twipsToPixels(7), 0);
    EXPECT_EQ(twipsToPixels(8), 1);
    EXPECT_EQ(twipsRect(120, 440, 1815, 255), QRect(8, 29, 121, 17));
}

}  // namespace
}  // namespace pointilla::editing
