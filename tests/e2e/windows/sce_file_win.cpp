// Scenario files written and read by the Windows build:
//   sce_file_win FILE.sce
// saves three rows to FILE.sce (which the caller compares with the Linux
// bytes), reads them back, and checks that a save into a missing folder is
// refused with its reason and leaves nothing; a folder and a file over the
// size limit are not read. Prints "ok" or what went wrong.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <vector>

#include "platform/files/read_file.h"
#include "scenario_files/scenario_files.h"

namespace {

using pointilla::scenario::Row;

int fail(const char* what) {
    std::printf("%s\n", what);
    return 1;
}

int check(const std::filesystem::path& file) {
    const std::vector<Row> rows = {
        {"Position souris", " 100 ,  200"}, {"Clic souris", "Clic"}, {"D\u00e9lai", "2"}};
    if (const auto saved = pointilla::scenario_files::saveScenarioFile(file, rows); !saved) {
        std::printf("save: %s\n", saved.error().c_str());
        return 1;
    }
    // Saved again over itself: the replacement path, not only the creation.
    if (!pointilla::scenario_files::saveScenarioFile(file, rows))
        return fail("the file cannot be replaced");
    const auto loaded = pointilla::scenario_files::openScenarioFile(file);
    if (!loaded) return fail("the saved file cannot be read back");
    if (loaded->rows != rows || loaded->stop) return fail("rows differ");

    const auto folder = pointilla::scenario_files::openScenarioFile(file.parent_path());
    if (folder || folder.error() != "c'est un dossier") return fail("a folder was not refused");
    if (pointilla::platform::files::readRegularFile(file, 8)) return fail("the limit was not kept");

    const auto missing = file.parent_path() / "absent" / "x.sce";
    const auto refused = pointilla::scenario_files::saveScenarioFile(missing, rows);
    if (refused) return fail("a save into a missing folder succeeded");
    if (refused.error() != "le fichier ou le dossier n'existe pas") return fail("wrong reason");
    std::error_code ignored;
    if (std::filesystem::exists(file.parent_path() / "absent", ignored)) return fail("left behind");
    std::printf("ok\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return fail("usage: sce_file_win FILE.sce");
    try {
        return check(argv[1]);
    } catch (const std::exception& error) {
        std::printf("%s\n", error.what());
        return 1;
    }
}
