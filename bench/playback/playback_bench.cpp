// Prints what playing costs on the X display named by $DISPLAY:
//  - 10,000 "Position souris" rows played by the engine, against the same moves
//    made by xdotool (one process per move, as a shell loop does, and all the
//    moves chained in one xdotool process);
//  - one key-state query of the hot-key poll's 60-key scan table.
// Usage: playback_bench [MOVES]   (default 10000)

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>  // environ

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_support.h"
#include "platform/x11/x11_desktop.h"
#include "playback/playback_engine.h"
#include "scenario/detail_text.h"
#include "scenario/row.h"
#include "scenario/scenario.h"

namespace {

using pointilla::bench::Clock;
using pointilla::bench::movePath;
using pointilla::bench::secondsSince;
using pointilla::platform::ScreenPoint;

bool runXdotool(const std::vector<std::string>& args) {
    std::vector<std::string> argv = {"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> pointers;
    pointers.reserve(argv.size() + 1);
    for (auto& text : argv) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, "xdotool", nullptr, nullptr, pointers.data(), environ) != 0) {
        return false;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int moves = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    const auto opened = pointilla::platform::openX11Desktop(nullptr);
    if (!opened) {
        std::fprintf(stderr, "playback_bench: cannot open the X display \"%s\"\n",
                     opened.error().display.c_str());
        return 1;
    }
    const auto& desktop = opened.value();
    const auto size = desktop->screen().primaryScreenSize();
    const auto path = movePath(moves, size.width, size.height);

    // The engine playing the rows, until the server has processed the last move.
    const pointilla::scenario::Scenario rows = pointilla::bench::positionRows(path);
    pointilla::bench::BenchEngine playing(rows, *desktop);
    auto start = Clock::now();
    playing.engine.start();
    const auto landed = desktop->pointer().position();  // a round trip: all moves are done
    const double engineSeconds = secondsSince(start);
    if (!landed || *landed != path.back()) {
        std::fprintf(stderr, "playback_bench: the pointer did not reach the last position\n");
        return 1;
    }

    // xdotool, one process per move.
    start = Clock::now();
    for (const auto& point : path) {
        if (!runXdotool({"mousemove", std::to_string(point.x), std::to_string(point.y)})) {
            std::fprintf(stderr, "playback_bench: xdotool failed\n");
            return 1;
        }
    }
    (void)desktop->pointer().position();
    const double loopSeconds = secondsSince(start);

    // xdotool, every move chained in one process.
    std::vector<std::string> chained;
    for (const auto& point : path) {
        chained.insert(chained.end(),
                       {"mousemove", std::to_string(point.x), std::to_string(point.y)});
    }
    start = Clock::now();
    if (!runXdotool(chained)) {
        std::fprintf(stderr, "playback_bench: xdotool failed\n");
        return 1;
    }
    (void)desktop->pointer().position();
    const double chainedSeconds = secondsSince(start);

    std::printf("moves: %d \"Position souris\" rows\n", moves);
    std::printf("  playback engine       %9.3f ms  (%6.2f us per row)\n", engineSeconds * 1e3,
                engineSeconds * 1e6 / moves);
    std::printf("  xdotool, a process each %7.3f ms  (%6.2f us per move)  engine %.1fx faster\n",
                loopSeconds * 1e3, loopSeconds * 1e6 / moves, loopSeconds / engineSeconds);
    std::printf("  xdotool, one process  %9.3f ms  (%6.2f us per move)  engine %.1fx faster\n",
                chainedSeconds * 1e3, chainedSeconds * 1e6 / moves, chainedSeconds / engineSeconds);

    // The hot-key poll's query: the 60 keys of its scan table at once.
    const std::array<int, 60> scanTable = {
        0x11, 0x12, 0x10, 0x79, 0x7A, 0x7B, 0x78, 0x77, 0x75, 0x76, 0x74, 0x73, 0x72, 0x71, 0x70,
        0x39, 0x38, 0x37, 0x35, 0x36, 0x33, 0x34, 0x31, 0x32, 0x30, 0x5A, 0x59, 0x58, 0x57, 0x56,
        0x55, 0x54, 0x53, 0x52, 0x51, 0x50, 0x4F, 0x4E, 0x4D, 0x4C, 0x4B, 0x4A, 0x49, 0x48, 0x47,
        0x46, 0x45, 0x44, 0x43, 0x42, 0x41, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69};
    std::array<bool, 60> down{};
    constexpr int kQueries = 10000;
    std::vector<double> micros;
    micros.reserve(kQueries);
    for (int i = 0; i < kQueries; ++i) {
        const auto t0 = Clock::now();
        desktop->keyboard().queryDown(scanTable, down);
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    }
    std::sort(micros.begin(), micros.end());
    double sum = 0;
    for (const double m : micros) sum += m;
    std::printf("key state: one query of the 60-key scan table, %d queries\n", kQueries);
    std::printf("  mean %.1f us, median %.1f us, 99th percentile %.1f us  (target < 100 us)\n",
                sum / kQueries, micros[kQueries / 2], micros[kQueries * 99 / 100]);
    return 0;
}
