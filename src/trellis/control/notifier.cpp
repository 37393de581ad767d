#include "trellis/control/notifier.h"

#include <mutex>

namespace trellis {
namespace {

std::mutex& notifierMutex() {
    static std::mutex m;
    return m;
}
Notifier& currentNotifier() {
    static Notifier n;
    return n;
}

}  // namespace

void showMessage(const std::string& text, const std::string& title, std::uint32_t flags) {
    Notifier notifier;
    {
        std::lock_guard lock(notifierMutex());
        notifier = currentNotifier();
    }
    if (notifier) {
        notifier(text, title, flags);
    } else {
        showDefaultMessage(text, title, flags);
    }
}

Notifier setNotifier(Notifier notifier) {
    std::lock_guard lock(notifierMutex());
    Notifier previous = std::move(currentNotifier());
    currentNotifier() = std::move(notifier);
    return previous;
}

}  // namespace trellis
