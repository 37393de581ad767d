// A library that proves it was loaded: its constructor writes the file named by
// TRELLIS_TEST_MARKER. It is no in-process server; loading it is the fault.

#include <cstdio>
#include <cstdlib>

namespace {

[[gnu::constructor]] void markLoaded() {
    const char* marker = std::getenv("TRELLIS_TEST_MARKER");
    if (marker == nullptr) return;
    if (std::FILE* file = std::fopen(marker, "w")) std::fclose(file);
}

}  // namespace
