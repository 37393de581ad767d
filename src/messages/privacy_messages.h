#pragma once
// What the programs say when they keep other users of the machine away from
// what is the person's own: the single-instance lock and socket, the settings.

#include <string>

#include "common/single_instance_refusal.h"

namespace pointilla::messages {

// Why Pointilla runs its window without the single-instance role.
std::string singleInstanceRefusalMessage(const SingleInstanceRefusal& refusal);

// Another Pointilla holds this display's role but does not take the request.
std::string instanceNotAnsweringMessage();

// The settings store could be read by others until now; modes in octal.
std::string storeTightenedMessage(const std::string& store, unsigned oldMode, unsigned newMode);

}  // namespace pointilla::messages
