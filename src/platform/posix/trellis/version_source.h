#pragma once
// This system presents itself as an NT system later than version 5; tests may
// make GetVersionExA report another.

#include <functional>
#include <optional>

#include "platform/registry/win_version_and_boxes.h"

namespace trellis {
// Replaces what GetVersionExA reports (nullopt: the call fails); an empty
// function restores the default, a later NT system.
void setVersionSourceForTesting(std::function<std::optional<OSVERSIONINFOA>()> source);
}  // namespace trellis
