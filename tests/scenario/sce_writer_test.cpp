#include <gtest/gtest.h>

#include "scenario/detail_text.h"
#include "scenario/sce_file.h"

namespace pointilla::scenario {
namespace {

TEST(SceWriter, WritesExactBytes) {
    const std::vector<Row> rows = {{"Position souris", capturedPositionDetail(512, 384)},
                                   clickRow(),
                                   {"D\u00e9lai", "5"},
                                   {"URL", "http://example.org/"}};
    const auto bytes = encodeSce(rows);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes,
              "Position souris\xA4 512 ,  384\xA4\r\n"
              "Clic souris\xA4"
              "Clic\xA4\r\n"
              "D\xE9lai\xA4"
              "5\xA4\r\n"
              "URL\xA4http://example.org/\xA4\r\n");
    EXPECT_EQ(*encodeSce({}), "");
}

TEST(SceWriter, RefusesACharacterWindows1252CannotHold) {
    const auto refused = encodeSce({{"URL", "ok"}, {"URL", "http://\u65e5\u672c"}});
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().row, 2);
    EXPECT_EQ(refused.error().character, U'\u65e5');
    // Characters of the code page's upper half are fine.
    EXPECT_EQ(*encodeSce({{"\u20ac", "\u0153"}}), "\x80\xA4\x9C\xA4\r\n");
}

}  // namespace
}  // namespace pointilla::scenario
