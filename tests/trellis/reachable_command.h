#pragma once
// The trellis command, and the library it registers (whose path the store
// keeps), where another user can reach them when the tests can act as one: the
// build tree may be out of that user's reach (a clone under a 0700 folder).

#include <gtest/gtest.h>

#include <filesystem>

#include "support/other_user.h"

namespace trellis::testing {

inline std::filesystem::path reachableTrellisCommand() {
    const std::filesystem::path built = TRELLIS_COMMAND_PATH;
    if (!pointilla::testing::canActAsOtherUser()) return built;
    static const std::filesystem::path root = built.parent_path().parent_path();
    static const pointilla::testing::ReachableCopy copy(
        root, {built.lexically_relative(root),
               std::filesystem::path(TRELLIS_LIBRARY_PATH).lexically_relative(root)});
    EXPECT_FALSE(copy.empty()) << "no copy of the command that another user can reach";
    return copy.path(built.lexically_relative(root));
}

}  // namespace trellis::testing
