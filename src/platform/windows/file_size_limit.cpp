#include "platform/files/file_size_limit.h"

namespace pointilla::platform::files {

// Windows fails a write past a quota with an error of its own; no signal ends the program.
void reportFileSizeLimitAsError() {}

}  // namespace pointilla::platform::files
