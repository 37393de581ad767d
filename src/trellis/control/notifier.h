#pragma once
// The library's message boxes go through one replaceable notifier: a GUI host
// installs one that shows a real modal box; without one the platform's default
// takes the text (standard error, or a message box on Windows). Texts and titles
// are UTF-8; flags are the message-box style bits of user32.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/registry/win_version_and_boxes.h"

namespace trellis {

using Notifier =
    std::function<void(const std::string& text, const std::string& title, std::uint32_t flags)>;

void showMessage(const std::string& text, const std::string& title, std::uint32_t flags);
// Replaces the notifier (an empty one restores standard error); returns the previous one.
Notifier setNotifier(Notifier notifier);

// What showMessage does when no notifier is installed; one per platform.
void showDefaultMessage(const std::string& text, const std::string& title, std::uint32_t flags);

}  // namespace trellis

// The library exports TrellisSetNotifier(callback, context) with C linkage for
// hosts that load it at run time; a null callback restores standard error.
extern "C" {
typedef void (*TrellisNotifierCallback)(const char* textUtf8, const char* titleUtf8,
                                        std::uint32_t flags, void* context);
typedef void (*TrellisSetNotifierFunction)(TrellisNotifierCallback callback, void* context);
}
