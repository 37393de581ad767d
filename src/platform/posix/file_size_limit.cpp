#include "platform/files/file_size_limit.h"

#include <csignal>

namespace pointilla::platform::files {

void reportFileSizeLimitAsError() { std::signal(SIGXFSZ, SIG_IGN); }

}  // namespace pointilla::platform::files
