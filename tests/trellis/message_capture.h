#pragma once
// Collects the library's message boxes for the life of the object.

#include <string>
#include <vector>

#include "trellis/control/notifier.h"

namespace trellis::testing {

struct Message {
    std::string text;
    std::string title;
    std::uint32_t flags;
    bool operator==(const Message&) const = default;
};

class MessageCapture {
  public:
    MessageCapture() {
        previous_ = setNotifier(
            [this](const std::string& text, const std::string& title, std::uint32_t flags) {
                messages.push_back({text, title, flags});
            });
    }
    ~MessageCapture() { setNotifier(std::move(previous_)); }
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    std::vector<Message> messages;

  private:
    Notifier previous_;
};

}  // namespace trellis::testing
