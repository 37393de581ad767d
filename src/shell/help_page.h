#pragma once
// Where the help page in the person's language lies.

#include <filesystem>

#include "language/language.h"

namespace pointilla::shell {

// The page for `language`, as the build and the installation lay it out
// relative to the folder of the program's executable.
std::filesystem::path helpPage(const std::filesystem::path& programDirectory,
                               language::Language language);

}  // namespace pointilla::shell
