#pragma once
// Building a Windows command line, which a program splits back into arguments
// with the C run-time's rules. Free of <windows.h> so that it is checked on
// every build.

#include <string>

namespace pointilla::platform::windows {

// One argument, quoted so that it comes back whole: spaces stay inside it, and
// backslashes are doubled only where they precede a quote.
std::wstring quoteArgument(const std::wstring& argument);

}  // namespace pointilla::platform::windows
