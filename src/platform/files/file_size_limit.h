#pragma once
// A write past the session's file-size limit (ulimit -f) would kill the program
// with SIGXFSZ, losing what the person was saving. Ignored, the write fails with
// EFBIG instead, which every program reports as a file too large and survives.

namespace pointilla::platform::files {

// Called first thing in main. Windows has no such signal: nothing to do there.
void reportFileSizeLimitAsError();

}  // namespace pointilla::platform::files
