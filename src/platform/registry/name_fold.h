#pragma once
// Registry names compare without regard to case: this folds a Windows-1252 name
// to the upper case the comparison and the sort order use.

#include <string>
#include <string_view>

namespace pointilla::registry {

std::string foldName(std::string_view cp1252Name);

}  // namespace pointilla::registry
