// File helpers and the texts of file errors.

#include "trellis/files/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "message_capture.h"
#include "support/registry_store.h"

namespace trellis {
namespace {

using pointilla::testing::TempDir;
using testing::Message;
using testing::MessageCapture;

std::string contentsOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(FileErrorText, GivesTheTableTextsAndAnUnknownLineForTheRest) {
    EXPECT_EQ(FileErrorText(53), "File Not found");
    EXPECT_EQ(FileErrorText(74), "Can 't rename with different drive");
    EXPECT_EQ(FileErrorText(76), "Path Not found");
    EXPECT_EQ(FileErrorText(31037), "Error loading from file");
    EXPECT_EQ(FileErrorText(56), "Unknown error, 56, Please contact the programmer!");
    EXPECT_EQ(FileErrorText(5), "Unknown error, 5, Please contact the programmer!");
    for (LONG gap : {60, 64, 65, 66, 69, 72, 73}) {
        EXPECT_EQ(FileErrorText(gap).rfind("Unknown error, ", 0), 0u) << gap;
    }
}

TEST(FileExists, FindsFilesAndDirectoriesByAttributeMask) {
    TempDir dir;
    const auto file = dir.path() / "a.REG";
    std::ofstream(file) << "x";
    const auto hidden = dir.path() / ".hidden";
    std::ofstream(hidden) << "x";
    EXPECT_TRUE(FileExists(dir.str(), kAttrDirectory));
    EXPECT_FALSE(FileExists(dir.str(), kAttrNormal));
    EXPECT_TRUE(FileExists(file.string(), kAttrNormal));
    EXPECT_TRUE(FileExists(file.string(), kAttrDirectory));  // normal files are always found
    EXPECT_FALSE(FileExists(hidden.string(), kAttrNormal));
    EXPECT_TRUE(FileExists(hidden.string(), kAttrHidden));
    EXPECT_FALSE(FileExists((dir.path() / "missing").string(), kAttrNormal));
    EXPECT_TRUE(FileExists((dir.path() / "*.REG").string(), kAttrNormal));
    EXPECT_FALSE(FileExists((dir.path() / "*.OLD").string(), kAttrNormal));
}

TEST(FileExists, AnUnsupportedMaskShowsTheProgramErrorAndSearchesNothing) {
    TempDir dir;
    MessageCapture capture;
    EXPECT_FALSE(FileExists(dir.str(), 3));
    EXPECT_EQ(
        capture.messages,
        (std::vector<Message>{{"Unsupported Attribute Type Specified!  Contact the programmer!",
                               "Program Error!", MB_OK | MB_ICONSTOP}}));
}

TEST(OpenFileForAppend, CreatesAMissingFileAndAppendsToAnExistingOne) {
    TempDir dir;
    const auto path = (dir.path() / "new.txt").string();
    const auto n = FreeFile();
    ASSERT_TRUE(n.has_value());
    ASSERT_TRUE(OpenFileForAppend(path, *n));
    EXPECT_NE(FreeFile(), n);  // the number is taken while the file is open
    ASSERT_TRUE(CloseFile(*n));
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
    for (const char* line : {"one", "two"}) {
        ASSERT_TRUE(OpenFileForAppend(path, *n));
        ASSERT_TRUE(WriteLine(*n, line));
        ASSERT_TRUE(CloseFile(*n));
    }
    EXPECT_EQ(contentsOf(path), "one\r\ntwo\r\n");
}

TEST(OpenFileForAppend, FailuresCarryTheirRunTimeErrorNumbers) {
    TempDir dir;
    const SHORT n = FreeFile().value();
    const auto errorOf = [](const pointilla::Status<LONG>& status) {
        return status ? LONG{0} : status.error();
    };
    EXPECT_EQ(errorOf(OpenFileForAppend((dir.path() / "no" / "such" / "dir.txt").string(), n)), 76);
    EXPECT_EQ(errorOf(OpenFileForAppend("", n)), 52);
    EXPECT_EQ(errorOf(OpenFileForAppend((dir.path() / "x").string(), 0)), 52);
    ASSERT_TRUE(OpenFileForAppend((dir.path() / "x").string(), n));
    EXPECT_EQ(errorOf(OpenFileForAppend((dir.path() / "y").string(), n)), 55);
    EXPECT_TRUE(CloseFile(n));
    EXPECT_EQ(errorOf(WriteLine(n, "closed")), 52);
    EXPECT_TRUE(CloseFile(n));  // a number that is not open closes quietly
}

}  // namespace
}  // namespace trellis
