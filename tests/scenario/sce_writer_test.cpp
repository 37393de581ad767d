#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "scenario/detail_text.h"
#include "scenario/sce_file.h"

namespace pointilla::scenario {
namespace fs = std::filesystem;
namespace {

std::string readBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class SceSaveFile : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("pointilla-writer-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    // Only the named files: no temporary file may be left behind.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    fs::path dir_;
};

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
    FileError error;
    EXPECT_FALSE(encodeSce({{"URL", "ok"}, {"URL", "http://\u65e5\u672c"}}, &error));
    EXPECT_EQ(error.kind, FileError::Kind::NotEncodable);
    EXPECT_EQ(error.row, 2);
    EXPECT_EQ(error.character, U'\u65e5');
    EXPECT_NE(error.reason().find("ligne 2"), std::string::npos);
    EXPECT_NE(error.reason().find("U+65E5"), std::string::npos);
    // Characters of the code page's upper half are fine.
    EXPECT_EQ(*encodeSce({{"\u20ac", "\u0153"}}), "\x80\xA4\x9C\xA4\r\n");
}

TEST_F(SceSaveFile, RoundTripKeepsEveryBlankAndOrder) {
    const std::vector<Row> rows = {{"Position souris", capturedPositionDetail(0, 0)},
                                   {"Position souris", dialogPositionDetail("100", "200")},
                                   {"Position souris", capturedPositionDetail(10, -5)},
                                   {"Inconnu", "  deux blancs  "},
                                   {"URL", ""}};
    const fs::path file = dir_ / "s.sce";
    ASSERT_FALSE(saveSceFile(file, rows));
    const LoadResult loaded = loadSceFile(file);
    ASSERT_TRUE(loaded.content);
    EXPECT_FALSE(loaded.content->stop);
    EXPECT_EQ(loaded.content->rows, rows);
    EXPECT_EQ(entries(), std::vector<std::string>{"s.sce"});
}

TEST_F(SceSaveFile, ReplacesAnExistingFileAndKeepsItsPermissions) {
    const fs::path file = dir_ / "s.sce";
    { std::ofstream(file) << "old content that is longer than the new one"; }
    ::chmod(file.c_str(), 0640);
    ASSERT_FALSE(saveSceFile(file, {clickRow()}));
    EXPECT_EQ(readBytes(file),
              "Clic souris\xA4"
              "Clic\xA4\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(SceSaveFile, AFailedSaveLeavesTheExistingFileUntouched) {
    const fs::path file = dir_ / "s.sce";
    { std::ofstream(file) << "precious"; }
    const auto error = saveSceFile(file, {clickRow(), {"URL", "\u4e2d"}});
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind, FileError::Kind::NotEncodable);
    EXPECT_EQ(readBytes(file), "precious");
    EXPECT_EQ(entries(), std::vector<std::string>{"s.sce"});
}

TEST_F(SceSaveFile, ReportsPathErrorsAndLeavesNoTemporaryFile) {
    const auto missingDir = saveSceFile(dir_ / "no-such-dir" / "s.sce", {clickRow()});
    ASSERT_TRUE(missingDir);
    EXPECT_EQ(missingDir->kind, FileError::Kind::Open);
    EXPECT_EQ(missingDir->reason(), "le fichier ou le dossier n'existe pas");

    // A folder in the way of the rename: the write succeeds, the rename fails.
    fs::create_directories(dir_ / "taken.sce" / "inside");
    const auto taken = saveSceFile(dir_ / "taken.sce", {clickRow()});
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->kind, FileError::Kind::Rename);
    EXPECT_EQ(entries(), std::vector<std::string>{"taken.sce"});
    EXPECT_TRUE(fs::is_directory(dir_ / "taken.sce" / "inside"));
}

TEST_F(SceSaveFile, SavingThroughASymbolicLinkKeepsTheLink) {
    const fs::path real = dir_ / "real.sce";
    const fs::path link = dir_ / "link.sce";
    { std::ofstream(real) << "old"; }
    fs::create_symlink(real, link);
    ASSERT_FALSE(saveSceFile(link, {clickRow()}));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readBytes(real),
              "Clic souris\xA4"
              "Clic\xA4\r\n");
}

}  // namespace
}  // namespace pointilla::scenario
