#pragma once
// Why a .REG file was refused: what is wrong, the line (1-based; 0 when the
// whole file is concerned) and the name or character involved. The words are
// the messages'.

#include <cstddef>
#include <string>

#include "common/reg_file_problem.h"

namespace trellis {

struct RegFileError {
    using Kind = pointilla::RegFileProblem;
    Kind kind = Kind::NotRegistryFile;
    std::size_t line = 0;
    std::string subject;  // UTF-8
};

}  // namespace trellis
