#pragma once
// A desktop that stopped answering while in use: its connection broke, its
// compositor or session went away. The programs word it for people.

#include <string>

namespace pointilla::platform {

struct DesktopLost {
    // What broke, in the backend's own terms, for logs ("X connection broken").
    std::string detail;
};

}  // namespace pointilla::platform
