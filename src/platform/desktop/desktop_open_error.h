#pragma once
// Why a desktop could not be opened; the programs word it for people.

#include <string>

namespace pointilla::platform {

struct DesktopOpenError {
    enum class Kind {
        NoDisplayNamed,      // no name given and $DISPLAY unset or empty
        Unreachable,         // no such display, or it refused the connection
        NoXTest,             // the display cannot take injected pointer input
        SingleDesktopNamed,  // a display named where there is a single desktop (Windows)
    };
    Kind kind = Kind::NoDisplayNamed;
    std::string display;  // the name tried; empty for NoDisplayNamed
};

}  // namespace pointilla::platform
