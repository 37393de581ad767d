#pragma once
// Starting another program without a shell and without waiting for it.

#include <filesystem>
#include <string>
#include <vector>

namespace pointilla::platform::posix {

// The first executable file called `name` along $PATH; empty when none.
std::filesystem::path findInPath(const std::string& name);

// Starts `program` with `arguments` (argv[1] on) in `workingDirectory`, as a
// grandchild so that no zombie is left behind and the caller never waits for
// it. Returns once the program has been executed, or with the reason it could
// not be in `error` (false).
bool startDetached(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                   const std::filesystem::path& workingDirectory, std::string* error = nullptr);

}  // namespace pointilla::platform::posix
