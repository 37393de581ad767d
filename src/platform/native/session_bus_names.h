#pragma once
// Which of some D-Bus names the user's session bus has now or can start on
// demand (an activatable service, as the desktop portal is).

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pointilla::platform {

// Empty when there is no session bus.
std::vector<std::string> presentBusNames(std::span<const std::string_view> names);

}  // namespace pointilla::platform
