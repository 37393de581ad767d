#pragma once
// What a playback says, in French, about the rows it performs.

#include <string>
#include <string_view>

namespace pointilla::messages {

// A "URL" row no longer waits for the handler still opening an earlier address.
std::string handlerLetGoMessage(std::string_view address);

}  // namespace pointilla::messages
