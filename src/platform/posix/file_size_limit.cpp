#include "platform/posix/file_size_limit.h"

#include <csignal>

namespace pointilla::platform::posix {

void reportFileSizeLimitAsError() { std::signal(SIGXFSZ, SIG_IGN); }

}  // namespace pointilla::platform::posix
