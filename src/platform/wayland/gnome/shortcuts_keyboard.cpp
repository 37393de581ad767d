#include "platform/wayland/gnome/shortcuts_keyboard.h"

#include <algorithm>
#include <string>
#include <vector>

#include "messages/desktop_messages.h"
#include "platform/desktop/key_event_log.h"
#include "platform/desktop/virtual_keys.h"
#include "platform/wayland/gnome/bus_dict.h"
#include "platform/wayland/gnome/helper_keyboard.h"
#include "platform/wayland/gnome/portal_request.h"
#include "platform/wayland/gnome/shortcut_trigger.h"

namespace pointilla::platform::wayland::gnome {
namespace {

constexpr const char* kGlobalShortcuts = "org.freedesktop.portal.GlobalShortcuts";
// Binding may ask the user to confirm the shortcuts.
constexpr auto kPersonAnswers = std::chrono::minutes(5);

class ShortcutsKeyboard final : public KeyboardState {
  public:
    explicit ShortcutsKeyboard(BusHandle bus) : bus_(std::move(bus)) {}
    ~ShortcutsKeyboard() override { closeSession(); }
    ShortcutsKeyboard(const ShortcutsKeyboard&) = delete;
    ShortcutsKeyboard& operator=(const ShortcutsKeyboard&) = delete;

    bool hearsCombinations() const override { return bus_ != nullptr; }

    bool isDown(int virtualKey) override {
        takeChanges();
        return heldHas(virtualKey);
    }
    void queryDown(std::span<const int> virtualKeys, std::span<bool> down) override {
        takeChanges();
        for (std::size_t i = 0; i < virtualKeys.size() && i < down.size(); ++i) {
            down[i] = heldHas(virtualKeys[i]);
        }
    }
    // The portal reports a tap's Activated and Deactivated back to back: the
    // press is kept until taken.
    bool takePress(int virtualKey) override {
        takeChanges();
        bool seen = false;
        for (std::size_t i = 0; i < bound_.size(); ++i) {
            if (std::ranges::find(bound_[i], virtualKey) == bound_[i].end()) continue;
            seen = seen || held_[i] || pressedSinceTaken_[i];
            pressedSinceTaken_[i] = false;
        }
        return seen;
    }
    int changeNotifier() const override { return bus_ ? sd_bus_get_fd(bus_.get()) : -1; }
    bool takeChanges() override {
        if (!bus_) return false;
        readSignals();
        return std::exchange(changed_, false);
    }
    bool hearsKeyEvents() const override { return bus_ != nullptr; }
    // Only what the key queries have read too (see the shell helper's).
    std::vector<KeysAfterEvent> takeKeyEvents() override { return events_.take(); }

    void watchCombinations(std::span<const KeyCombination> combinations) override {
        if (!bus_) return;
        const std::vector<KeyCombination> wanted(combinations.begin(), combinations.end());
        if (wanted == bound_ && !session_.empty()) return;
        closeSession();
        if (wanted.empty()) return;
        if (createSession() && bindShortcuts(wanted)) {
            bound_ = wanted;
            held_.assign(bound_.size(), false);
            pressedSinceTaken_.assign(bound_.size(), false);
        } else {
            closeSession();
        }
    }

  private:
    void readSignals() {
        while (sd_bus_process(bus_.get(), nullptr) > 0) {
        }
    }
    bool heldHas(int virtualKey) const {
        for (std::size_t i = 0; i < held_.size(); ++i) {
            if (held_[i] && std::ranges::find(bound_[i], virtualKey) != bound_[i].end())
                return true;
        }
        return false;
    }

    bool createSession();
    bool bindShortcuts(const std::vector<KeyCombination>& combinations);
    void closeSession();
    static int onSignal(sd_bus_message* message, void* self, sd_bus_error* error);

    BusHandle bus_;
    SlotHandle signals_;
    std::string session_;
    std::vector<KeyCombination> bound_;
    std::vector<bool> held_;
    std::vector<bool> pressedSinceTaken_;
    bool changed_ = false;
    KeyEventLog events_;
};

bool ShortcutsKeyboard::createSession() {
    auto handle = createPortalSession(bus_.get(), kGlobalShortcuts);
    if (!handle) return false;
    session_ = std::move(handle).value();
    sd_bus_slot* slot = nullptr;
    if (sd_bus_match_signal(bus_.get(), &slot, nullptr, kPortalPath, kGlobalShortcuts, nullptr,
                            &onSignal, this) < 0) {
        return false;
    }
    signals_.reset(slot);
    return true;
}

bool ShortcutsKeyboard::bindShortcuts(const std::vector<KeyCombination>& combinations) {
    const std::string token = PortalRequest::newToken();
    auto pending = PortalRequest::expect(bus_.get(), token);
    auto call =
        newMethodCall(bus_.get(), kPortalService, kPortalPath, kGlobalShortcuts, "BindShortcuts");
    if (!pending || !call) return false;
    sd_bus_message* m = call->get();
    if (sd_bus_message_append(m, "o", session_.c_str()) < 0 ||
        sd_bus_message_open_container(m, 'a', "(sa{sv})") < 0) {
        return false;
    }
    for (std::size_t i = 0; i < combinations.size(); ++i) {
        const std::string id = std::to_string(i);
        const bool stopKey = combinations[i] == KeyCombination{vk::kEscape};
        const std::string description =
            stopKey ? messages::stopShortcutDescription() : messages::captureShortcutDescription();
        const auto trigger = shortcutTrigger(combinations[i]);
        const int r = trigger ? sd_bus_message_append(m, "(sa{sv})", id.c_str(), 2, "description",
                                                      "s", description.c_str(), "preferred_trigger",
                                                      "s", trigger->c_str())
                              : sd_bus_message_append(m, "(sa{sv})", id.c_str(), 1, "description",
                                                      "s", description.c_str());
        if (r < 0) return false;
    }
    if (sd_bus_message_close_container(m) < 0 ||
        sd_bus_message_append(m, "sa{sv}", "", 1, "handle_token", "s", token.c_str()) < 0) {
        return false;
    }
    if (!callMethod(bus_.get(), m)) return false;
    return pending->wait(kPersonAnswers, std::string(kGlobalShortcuts) + ".BindShortcuts").ok();
}

void ShortcutsKeyboard::closeSession() {
    signals_.reset();
    if (!session_.empty()) {
        auto call = newMethodCall(bus_.get(), kPortalService, session_.c_str(),
                                  "org.freedesktop.portal.Session", "Close");
        if (call) static_cast<void>(callMethod(bus_.get(), call->get()));
    }
    session_.clear();
    bound_.clear();
    if (std::ranges::find(held_, true) != held_.end()) {
        changed_ = true;
        events_.note({});
    }
    held_.clear();
    pressedSinceTaken_.clear();
}

// Activated / Deactivated (o session_handle, s shortcut_id, t timestamp, a{sv} options).
int ShortcutsKeyboard::onSignal(sd_bus_message* message, void* self, sd_bus_error* /*error*/) {
    auto* keyboard = static_cast<ShortcutsKeyboard*>(self);
    const std::string_view member = sd_bus_message_get_member(message);
    if (member != "Activated" && member != "Deactivated") return 0;
    const char* session = nullptr;
    const char* id = nullptr;
    if (sd_bus_message_read(message, "os", &session, &id) < 0 || keyboard->session_ != session) {
        return 0;
    }
    const std::string text(id);
    if (text.empty() || text.size() > 6 ||
        !std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; })) {
        return 0;
    }
    const std::size_t index = std::stoul(text);
    if (index < keyboard->held_.size()) {
        keyboard->held_[index] = member == "Activated";
        if (member == "Activated") keyboard->pressedSinceTaken_[index] = true;
        keyboard->changed_ = true;
        keyboard->events_.noteHeld(keyboard->bound_, keyboard->held_);
    }
    return 0;
}

}  // namespace

std::unique_ptr<KeyboardState> openShortcutsKeyboard() {
    auto bus = openSessionBus();
    if (bus) {
        auto version =
            getProperty(bus->get(), kPortalService, kPortalPath, kGlobalShortcuts, "version", "u");
        if (version) return std::make_unique<ShortcutsKeyboard>(std::move(bus.value()));
    }
    // Before GNOME 48: Pointilla's shell helper, when the person enabled it.
    if (auto helper = openHelperKeyboard()) return helper;
    return std::make_unique<ShortcutsKeyboard>(nullptr);
}

}  // namespace pointilla::platform::wayland::gnome
