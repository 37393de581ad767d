// Scenario files as the window and pointilla-play open and save them, and the
// French words they give for a failure.
#include "scenario_files/scenario_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "scenario/detail_text.h"
#include "support/temp_dir.h"

namespace pointilla::shell {
namespace {

namespace fs = std::filesystem;
using scenario::Row;
using Rows = std::vector<Row>;

std::string readBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class ScenarioFiles : public ::testing::Test {
  protected:
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    const pointilla::testing::TempDir temp_{"pointilla-sce-"};
    const fs::path dir_ = temp_.path();
};

TEST_F(ScenarioFiles, RoundTripKeepsEveryBlankAndOrder) {
    const Rows rows = {{"Position souris", scenario::capturedPositionDetail(0, 0)},
                       {"Position souris", scenario::dialogPositionDetail("100", "200")},
                       {"Position souris", scenario::capturedPositionDetail(10, -5)},
                       {"Inconnu", "  deux blancs  "},
                       {"URL", ""}};
    const fs::path file = dir_ / "s.sce";
    ASSERT_TRUE(scenario_files::saveScenarioFile(file, rows));
    const auto loaded = scenario_files::openScenarioFile(file);
    ASSERT_TRUE(loaded);
    EXPECT_FALSE(loaded->stop);
    EXPECT_EQ(loaded->rows, rows);
    EXPECT_EQ(entries(), std::vector<std::string>{"s.sce"});
}

TEST_F(ScenarioFiles, AFailedSaveSaysWhyInFrenchAndLeavesTheOldFile) {
    const fs::path file = dir_ / "s.sce";
    std::ofstream(file) << "precious";
    const auto unencodable =
        scenario_files::saveScenarioFile(file, {scenario::clickRow(), {"URL", "\u4e2d"}});
    ASSERT_FALSE(unencodable);
    EXPECT_NE(unencodable.error().find("ligne 2"), std::string::npos) << unencodable.error();
    EXPECT_NE(unencodable.error().find("U+4E2D"), std::string::npos) << unencodable.error();

    fs::permissions(file, fs::perms(0444));
    const auto readOnly = scenario_files::saveScenarioFile(file, {scenario::clickRow()});
    ASSERT_FALSE(readOnly);
    EXPECT_EQ(readOnly.error(), "permission refus\u00e9e");
    EXPECT_EQ(readBytes(file), "precious");

    const auto missingDir =
        scenario_files::saveScenarioFile(dir_ / "no-such-dir" / "s.sce", {scenario::clickRow()});
    ASSERT_FALSE(missingDir);
    EXPECT_EQ(missingDir.error(), "le fichier ou le dossier n'existe pas");
    EXPECT_EQ(entries(), std::vector<std::string>{"s.sce"});
}

TEST_F(ScenarioFiles, AnOpenThatCannotReadSaysWhyInFrench) {
    EXPECT_EQ(scenario_files::openScenarioFile(dir_ / "none.sce").error(),
              "le fichier ou le dossier n'existe pas");
    EXPECT_EQ(scenario_files::openScenarioFile(dir_).error(), "c'est un dossier");
    ASSERT_EQ(::mkfifo((dir_ / "tube.sce").c_str(), 0600), 0);
    EXPECT_EQ(scenario_files::openScenarioFile(dir_ / "tube.sce").error(),
              "ce n'est pas un fichier ordinaire (tube, p\u00e9riph\u00e9rique ou socket)");
    const fs::path large = dir_ / "large.sce";
    std::ofstream(large) << "";
    fs::resize_file(large, scenario::kMaxSceFileBytes + 1);  // sparse
    EXPECT_EQ(scenario_files::openScenarioFile(large).error(),
              "le fichier d\u00e9passe 64 Mio, bien plus qu'un sc\u00e9nario");

    // Never the system's English words inside a French sentence.
    for (int err = 1; err < 134; ++err) {
        const std::string reason =
            scenario_files::fileFailureReason(platform::files::FileError::system(err));
        EXPECT_NE(reason, std::strerror(err)) << err;
        EXPECT_FALSE(reason.empty()) << err;
    }
}

}  // namespace
}  // namespace pointilla::shell
