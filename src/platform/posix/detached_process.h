#pragma once
// Starting another program without a shell and without waiting for it.

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/result.h"

namespace pointilla::platform::posix {

// The first executable file called `name` along $PATH; empty when none.
std::filesystem::path findInPath(const std::string& name);

// Starts `program` with `arguments` (argv[1] on) in `workingDirectory`, as a
// grandchild so that no zombie is left behind and the caller never waits for
// it. Returns once the program has been executed, or with the reason it could
// not be.
Status<std::string> startDetached(const std::filesystem::path& program,
                                  const std::vector<std::string>& arguments,
                                  const std::filesystem::path& workingDirectory);

// Starts `program` the same way, but as our own child, so that the caller can
// tell when it ends: its process id once it has been executed, or the reason
// it could not be. The caller reaps it through hasEnded().
Result<pid_t, std::string> startChild(const std::filesystem::path& program,
                                      const std::vector<std::string>& arguments,
                                      const std::filesystem::path& workingDirectory);

// True once a child from startChild() has ended, reaping it; never blocks.
bool hasEnded(pid_t child);

}  // namespace pointilla::platform::posix
