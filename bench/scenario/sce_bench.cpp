// Writes and reads a 100,000-row scenario file and prints the time of each.
// Target: both under 50 ms.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "platform/files/read_file.h"
#include "platform/files/replace_file.h"
#include "scenario/detail_text.h"
#include "scenario/sce_file.h"

using namespace pointilla::scenario;
namespace files = pointilla::platform::files;
using Clock = std::chrono::steady_clock;

namespace {

std::vector<Row> makeRows(int count) {
    std::vector<Row> rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        switch (i % 4) {
            case 0:
                rows.push_back({"Position souris", capturedPositionDetail(i % 1280, i % 1024)});
                break;
            case 1:
                rows.push_back(clickRow());
                break;
            case 2:
                rows.push_back({"D\u00e9lai", std::to_string(1 + i % 60)});
                break;
            default:
                rows.push_back({"URL", "http://example.org/page" + std::to_string(i)});
                break;
        }
    }
    return rows;
}

double millisSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main() {
    constexpr int kRows = 100000;
    constexpr int kRounds = 5;
    const auto rows = makeRows(kRows);
    const auto path = std::filesystem::temp_directory_path() /
                      ("pointilla-bench-" + std::to_string(::getpid()) + ".sce");

    double bestWrite = 1e9;
    double bestRead = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        auto start = Clock::now();
        const auto bytes = encodeSce(rows);
        if (!bytes || !files::replaceFileContent(path, *bytes)) {
            std::fprintf(stderr, "save failed\n");
            return 1;
        }
        bestWrite = std::min(bestWrite, millisSince(start));

        start = Clock::now();
        const auto read = files::readRegularFile(path, kMaxSceFileBytes);
        const SceContent loaded = read ? parseSce(*read) : SceContent{};
        bestRead = std::min(bestRead, millisSince(start));
        if (loaded.rows != rows) {
            std::fprintf(stderr, "read back differs\n");
            return 1;
        }
    }
    const auto bytes = std::filesystem::file_size(path);
    std::filesystem::remove(path);

    std::printf("sce file of %d rows (%.1f MiB), best of %d rounds\n", kRows,
                static_cast<double>(bytes) / (1024.0 * 1024.0), kRounds);
    std::printf("  write: %7.2f ms  (%.0f rows/s, includes fsync)  target < 50 ms\n", bestWrite,
                kRows / (bestWrite / 1000.0));
    std::printf("  read:  %7.2f ms  (%.0f rows/s)                  target < 50 ms\n", bestRead,
                kRows / (bestRead / 1000.0));
    return 0;
}
