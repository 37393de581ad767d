#include "platform/files/read_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "support/temp_dir.h"

namespace pointilla::platform::files {
namespace {

namespace fs = std::filesystem;
using Kind = FileError::Kind;

class ReadRegularFile : public ::testing::Test {
  protected:
    const pointilla::testing::TempDir temp_{"pointilla-read-"};
    const fs::path dir_ = temp_.path();
};

TEST_F(ReadRegularFile, GivesTheWholeFileAndTheSystemsReasonOtherwise) {
    const std::string bytes("a\0b\xA4\r\n", 6);
    std::ofstream(dir_ / "f.sce", std::ios::binary) << bytes;
    EXPECT_EQ(readRegularFile(dir_ / "f.sce", 6).value(), bytes);
    std::ofstream(dir_ / "empty.sce") << "";
    EXPECT_EQ(readRegularFile(dir_ / "empty.sce", 6).value(), "");

    EXPECT_EQ(readRegularFile(dir_ / "absent.sce", 6).error().systemError, ENOENT);
    EXPECT_EQ(readRegularFile(dir_, 6).error().systemError, EISDIR);
}

// A FIFO used to block the reader for ever and /dev/zero to fill its memory;
// a file over the limit was read whole. Each is refused before reading, in a
// child with an alarm and a memory ceiling so that a regression fails, not hangs.
TEST_F(ReadRegularFile, RefusesWhatIsNoRegularFileOrTooLargeBeforeReading) {
    const fs::path fifo = dir_ / "tube.sce";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const fs::path large = dir_ / "large.sce";
    std::ofstream(large) << "";
    fs::resize_file(large, 4097);  // sparse: costs no disk

    const auto refusesAll = [&] {
        ::alarm(10);
        const rlimit memory{512u << 20, 512u << 20};
        ::setrlimit(RLIMIT_AS, &memory);
        const auto fromFifo = readRegularFile(fifo, 4096);
        const auto fromDevice = readRegularFile("/dev/zero", 4096);
        const auto fromLarge = readRegularFile(large, 4096);
        const bool refused = !fromFifo && fromFifo.error().kind == Kind::NotRegularFile &&
                             !fromDevice && fromDevice.error().kind == Kind::NotRegularFile &&
                             !fromLarge && fromLarge.error().kind == Kind::TooLarge &&
                             fromLarge.error().limit == 4096;
        std::exit(refused ? 0 : 1);
    };
    EXPECT_EXIT(refusesAll(), ::testing::ExitedWithCode(0), "");
    fs::resize_file(large, 4096);
    EXPECT_EQ(readRegularFile(large, 4096).value().size(), 4096u);
}

}  // namespace
}  // namespace pointilla::platform::files
