// Without a GUI host the messages go to standard error.

#include "trellis/control/notifier.h"

#include <cstdio>

namespace trellis {

void showDefaultMessage(const std::string& text, const std::string& title,
                        std::uint32_t /*flags*/) {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

}  // namespace trellis
