#pragma once
// What a screen reader says of each control of each window: its name, from
// its caption or purpose, and a description where the name alone is unclear.
// Windows and controls are known by their object names.

#include <optional>
#include <string_view>

namespace pointilla::messages {

struct AccessibleText {
    std::string_view name;
    std::string_view description;  // empty when the name says it all
};

std::optional<AccessibleText> accessibleTextOf(std::string_view window, std::string_view control);

}  // namespace pointilla::messages
