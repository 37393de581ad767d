#pragma once
// Why the registry control could not be created. The programs word it for
// people; the host's own reason goes to the log.

#include <filesystem>
#include <string>

#include "common/host_failure.h"

namespace pointilla {

struct ControlFailure {
    enum class Kind {
        RegistrationFailed,  // not registered, and the library beside us could not be
        CreationFailed,      // registered, but no object came of it
    };
    Kind kind = Kind::CreationFailed;
    std::string progId;
    std::filesystem::path library;  // RegistrationFailed: the library tried
    HostFailure cause;
};

}  // namespace pointilla
