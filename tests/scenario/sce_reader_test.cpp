#include <gtest/gtest.h>

#include "scenario/sce_file.h"

namespace pointilla::scenario {
namespace {

using Rows = std::vector<Row>;

// "¤" and "é" as they stand in a Windows-1252 file.
constexpr const char* kSep = "\xA4";

std::string line(const std::string& action, const std::string& detail) {
    return action + kSep + detail + kSep + "\r\n";
}

TEST(SceReader, ReadsTheFourRowKindsFromWindows1252) {
    const std::string bytes = line("Position souris", " 512 ,  384") + line("Clic souris", "Clic") +
                              line("D\xE9lai", "5") + line("URL", "http://example.org/a?b=c");
    const SceContent c = parseSce(bytes);
    EXPECT_FALSE(c.stop);
    EXPECT_EQ(c.rows, (Rows{{"Position souris", " 512 ,  384"},
                            {"Clic souris", "Clic"},
                            {"D\u00e9lai", "5"},
                            {"URL", "http://example.org/a?b=c"}}));
}

TEST(SceReader, LineEndings) {
    // The last line may lack its CR LF; a lone CR ends a line too.
    EXPECT_EQ(parseSce(std::string("A") + kSep + "1" + kSep).rows, (Rows{{"A", "1"}}));
    EXPECT_EQ(
        parseSce(std::string("A") + kSep + "1" + kSep + "\rB" + kSep + "2" + kSep + "\r").rows,
        (Rows{{"A", "1"}, {"B", "2"}}));
    // LF alone ends nothing: the whole file is one line, whose first row is all that is read.
    const std::string lfOnly =
        std::string("A") + kSep + "1" + kSep + "\nB" + kSep + "2" + kSep + "\n";
    EXPECT_EQ(parseSce(lfOnly).rows, (Rows{{"A", "1"}}));
    EXPECT_TRUE(parseSce("").rows.empty());
    EXPECT_FALSE(parseSce("").stop);
}

TEST(SceReader, ExtraTextAfterTheSecondSeparatorIsIgnored) {
    const SceContent c =
        parseSce(std::string("D\xE9lai") + kSep + "5" + kSep + "anything" + kSep + "\r\n");
    EXPECT_EQ(c.rows, (Rows{{"D\u00e9lai", "5"}}));
}

TEST(SceReader, EmptyActionAndEmptyDetailAreRows) {
    EXPECT_EQ(parseSce(line("", "x")).rows, (Rows{{"", "x"}}));
    EXPECT_EQ(parseSce(line("URL", "")).rows, (Rows{{"URL", ""}}));
}

TEST(SceReader, StopsAtABadLineAndKeepsTheRowsBefore) {
    struct Case {
        const char* name;
        std::string badLine;
        ReadStop::Reason reason;
    };
    const Case cases[] = {
        {"blank line", "\r\n", ReadStop::Reason::EmptyLine},
        {"no separator", "Clic souris Clic\r\n", ReadStop::Reason::NoSeparator},
        {"one separator only", std::string("Clic souris") + kSep + "Clic\r\n",
         ReadStop::Reason::NoSecondSeparator},
    };
    for (const Case& c : cases) {
        const SceContent content = parseSce(line("A", "1") + c.badLine + line("B", "2"));
        EXPECT_EQ(content.rows, (Rows{{"A", "1"}})) << c.name;
        ASSERT_TRUE(content.stop) << c.name;
        EXPECT_EQ(content.stop->line, 2) << c.name;
        EXPECT_EQ(content.stop->reason, c.reason) << c.name;
    }
}

TEST(SceReader, BlankLinesEndingTheFileAreNoEarlyStop) {
    for (const char* tail : {"\r\n", "\r\n\r\n", "\r", "\n\r\n"}) {
        const SceContent c = parseSce(line("A", "1") + tail);
        EXPECT_EQ(c.rows, (Rows{{"A", "1"}})) << tail;
        EXPECT_FALSE(c.stop) << "nothing was lost after the rows";
    }
    // Anything after the blank line is lost, and that is reported.
    const SceContent lost = parseSce(line("A", "1") + "\r\n" + line("B", "2"));
    ASSERT_TRUE(lost.stop);
    EXPECT_EQ(lost.stop->line, 2);
}

TEST(SceReader, HeaderLinesRenameCaptionsAndReadingGoesOn) {
    const std::string bytes =
        line("A", "1") + line("[Ouvrir ce site :", "Cliquer ici :X") + line("B", "2");
    const SceContent c = parseSce(bytes);
    EXPECT_FALSE(c.stop);
    EXPECT_EQ(c.rows, (Rows{{"A", "1"}, {"B", "2"}}));
    ASSERT_EQ(c.headers.size(), 1u);
    EXPECT_EQ(c.headers[0].label8, "Ouvrir ce site :");
    EXPECT_EQ(c.headers[0].label9, "Cliquer ici :") << "the detail less its last character";
}

TEST(SceReader, AHeaderWithoutItsSecondSeparatorEndsTheReading) {
    const SceContent c = parseSce(line("A", "1") + "[Titre" + kSep + "x\r\n" + line("B", "2"));
    EXPECT_EQ(c.rows, (Rows{{"A", "1"}}));
    EXPECT_TRUE(c.headers.empty());
    ASSERT_TRUE(c.stop);
    EXPECT_EQ(c.stop->line, 2);
}

TEST(SceReader, ADetailHoldingTheSeparatorIsCutAtIt) {
    EXPECT_EQ(parseSce(line("URL", std::string("a") + kSep + "b")).rows, (Rows{{"URL", "a"}}));
}

TEST(SceReader, EveryByteDecodes) {
    // Bytes Windows leaves undefined still give text, so no file is refused for them.
    std::string detail;
    for (int b = 0x80; b <= 0xFF; ++b) {
        if (b != 0xA4) detail.push_back(static_cast<char>(b));
    }
    const SceContent c = parseSce(line("X", detail));
    ASSERT_EQ(c.rows.size(), 1u);
    const auto again = encodeSce(c.rows);
    ASSERT_TRUE(again);
    EXPECT_EQ(*again, line("X", detail));
}

}  // namespace
}  // namespace pointilla::scenario
