#pragma once
// What `trellis import` says when it writes nothing: the failure, put in the
// messages' words.

#include <filesystem>
#include <string>

#include "trellis/reg_files/reg_import.h"

namespace trellis::cli {

// One line, without its end: the file (and line) first, then what is wrong.
std::string importFailureText(const std::filesystem::path& file, const ImportFailure& failure);

}  // namespace trellis::cli
