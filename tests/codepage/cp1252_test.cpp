#include "codepage/cp1252.h"

#include <gtest/gtest.h>

namespace pointilla::codepage {
namespace {

TEST(Cp1252, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    const std::string utf8 = cp1252ToUtf8(all);
    const auto back = utf8ToCp1252(utf8);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, all);
}

TEST(Cp1252, KnownCharacters) {
    EXPECT_EQ(cp1252ToUtf8("\xA4"), "\u00a4");
    EXPECT_EQ(cp1252ToUtf8("D\xE9lai"), "D\u00e9lai");
    EXPECT_EQ(cp1252ToUtf8("\x80\x9C\x9F"), "\u20ac\u0153\u0178");
    EXPECT_EQ(*utf8ToCp1252("cl\u00e91"),
              "cl\xE9"
              "1");
}

TEST(Cp1252, ReportsWhereEncodingFails) {
    EncodeError error;
    EXPECT_FALSE(utf8ToCp1252("ab\u0101c", &error));
    EXPECT_EQ(error.offset, 2u);
    EXPECT_EQ(error.codePoint, U'\u0101');

    // Invalid UTF-8: a lone continuation byte, a truncated sequence, an overlong form.
    for (const char* bad : {"a\x80", "a\xC3", "\xE2\x82", "\xC0\xAF", "\xED\xA0\x80"}) {
        EXPECT_FALSE(utf8ToCp1252(bad, &error)) << bad;
        EXPECT_EQ(error.codePoint, 0xFFFDu);
    }
    // A real U+FFFD has no Windows-1252 byte either.
    EXPECT_FALSE(utf8ToCp1252("\uFFFD", &error));
}

}  // namespace
}  // namespace pointilla::codepage
