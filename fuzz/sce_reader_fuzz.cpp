// Feeds arbitrary bytes to the .sce reader. Besides crashes, hangs and leaks, it
// checks that whatever rows were read survive a write and a second read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "scenario/sce_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pointilla::scenario;
    const SceContent first = parseSce(std::string_view(reinterpret_cast<const char*>(data), size));
    if (first.stop && first.stop->line < 1) std::abort();

    const auto bytes = encodeSce(first.rows);
    if (!bytes) std::abort();  // every decoded byte must encode again
    const SceContent second = parseSce(*bytes);
    if (second.stop || second.rows != first.rows) std::abort();
    return 0;
}
