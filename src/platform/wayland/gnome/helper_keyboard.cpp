#include "platform/wayland/gnome/helper_keyboard.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "platform/desktop/key_event_log.h"
#include "platform/wayland/gnome/bus_calls.h"
#include "platform/wayland/gnome/held_combinations.h"
#include "platform/wayland/gnome/shell_helper_bus.h"
#include "platform/wayland/gnome/shortcut_trigger.h"

namespace pointilla::platform::wayland::gnome {
namespace {

constexpr const char* kHelperAppears =
    "type='signal',sender='org.freedesktop.DBus',path='/org/freedesktop/DBus',"
    "interface='org.freedesktop.DBus',member='NameOwnerChanged',arg0='org.pointilla.ShellHelper'";

bool hasOwner(sd_bus* bus) {
    ScopedBusError error;
    sd_bus_message* reply = nullptr;
    const int r = sd_bus_call_method(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                                     "org.freedesktop.DBus", "NameHasOwner", error.get(), &reply,
                                     "s", kHelperService);
    const MessageHandle owned(reply);
    int has = 0;
    return r >= 0 && sd_bus_message_read(reply, "b", &has) >= 0 && has != 0;
}

class HelperKeyboard final : public KeyboardState {
  public:
    explicit HelperKeyboard(BusHandle bus) : bus_(std::move(bus)) {
        static_cast<void>(sd_bus_set_method_call_timeout(
            bus_.get(), std::chrono::microseconds(kHelperCallTimeout).count()));
        sd_bus_slot* slot = nullptr;
        if (sd_bus_add_match(bus_.get(), &slot, kHelperAppears, &onOwnerChanged, this) >= 0)
            ownerWatch_.reset(slot);
        slot = nullptr;
        if (sd_bus_match_signal(bus_.get(), &slot, nullptr, kHelperPath, kHelperInterface, nullptr,
                                &onHelperSignal, this) >= 0) {
            helperSignals_.reset(slot);
        }
        present_ = hasOwner(bus_.get());
        heardAtStart_ = present_;
    }
    ~HelperKeyboard() override { unbindAll(); }
    HelperKeyboard(const HelperKeyboard&) = delete;
    HelperKeyboard& operator=(const HelperKeyboard&) = delete;

    bool hearsCombinations() const override { return heardAtStart_; }

    bool isDown(int virtualKey) override {
        bool down = false;
        queryDown(std::span<const int>(&virtualKey, 1), std::span<bool>(&down, 1));
        return down;
    }
    void queryDown(std::span<const int> virtualKeys, std::span<bool> down) override {
        readSignals();
        held_.query(virtualKeys, down);
    }
    bool takePress(int virtualKey) override {
        readSignals();
        return held_.takePress(virtualKey);
    }
    int changeNotifier() const override { return sd_bus_get_fd(bus_.get()); }
    bool takeChanges() override {
        readSignals();
        return held_.takeChanged();
    }
    bool hearsKeyEvents() const override { return true; }
    // Only what the key queries have read too: a press replayed before a query
    // showed it held would count once as a tap and again as a hold.
    std::vector<KeysAfterEvent> takeKeyEvents() override { return events_.take(); }

    void watchCombinations(std::span<const KeyCombination> combinations) override {
        const std::vector<KeyCombination> wanted(combinations.begin(), combinations.end());
        if (wanted == wanted_) return;
        wanted_ = wanted;
        bindWanted();
    }

  private:
    void readSignals() {
        while (sd_bus_process(bus_.get(), nullptr) > 0) {
        }
        // Bound here rather than in the signal's handler: a call must not be
        // made from inside sd_bus_process.
        if (std::exchange(bindAgain_, false)) bindWanted();
    }

    void bindWanted() {
        unbindAll();
        held_.reset(wanted_);
        actions_.assign(wanted_.size(), 0);
        heldNow_.assign(wanted_.size(), false);
        if (!present_) return;
        for (std::size_t i = 0; i < wanted_.size(); ++i) actions_[i] = bind(wanted_[i]);
    }

    std::uint32_t bind(const KeyCombination& combination) {
        const auto accelerator = shellAccelerator(combination);
        if (!accelerator) return 0;
        ScopedBusError error;
        sd_bus_message* reply = nullptr;
        const int r = sd_bus_call_method(bus_.get(), kHelperService, kHelperPath, kHelperInterface,
                                         "Bind", error.get(), &reply, "s", accelerator->c_str());
        const MessageHandle owned(reply);
        std::uint32_t action = 0;
        if (r < 0 || sd_bus_message_read(reply, "u", &action) < 0) return 0;
        return action;
    }

    void unbindAll() {
        for (const std::uint32_t action : actions_) {
            if (action == 0 || !present_) continue;
            ScopedBusError error;
            static_cast<void>(sd_bus_call_method(bus_.get(), kHelperService, kHelperPath,
                                                 kHelperInterface, "Unbind", error.get(), nullptr,
                                                 "u", action));
        }
        actions_.clear();
        held_.reset({});
        letGoOfAll();
    }

    // Whatever was held is up once its binding is gone.
    void letGoOfAll() {
        if (std::ranges::find(heldNow_, true) != heldNow_.end()) events_.note({});
        heldNow_.assign(heldNow_.size(), false);
    }

    // NameOwnerChanged (s name, s old_owner, s new_owner) for the helper's name.
    static int onOwnerChanged(sd_bus_message* message, void* self, sd_bus_error* /*error*/) {
        auto* keyboard = static_cast<HelperKeyboard*>(self);
        const char* name = nullptr;
        const char* oldOwner = nullptr;
        const char* newOwner = nullptr;
        if (sd_bus_message_read(message, "sss", &name, &oldOwner, &newOwner) < 0) return 0;
        keyboard->present_ = newOwner != nullptr && newOwner[0] != '\0';
        // Whatever was bound went with the old owner.
        keyboard->actions_.assign(keyboard->actions_.size(), 0);
        keyboard->held_.reset(keyboard->wanted_);
        keyboard->letGoOfAll();
        keyboard->bindAgain_ = keyboard->present_;
        return 0;
    }

    // Pressed (u action, i x, i y) and Released (u action), sent to this connection.
    static int onHelperSignal(sd_bus_message* message, void* self, sd_bus_error* /*error*/) {
        auto* keyboard = static_cast<HelperKeyboard*>(self);
        const std::string_view member = sd_bus_message_get_member(message);
        std::uint32_t action = 0;
        if (sd_bus_message_read(message, "u", &action) < 0 || action == 0) return 0;
        for (std::size_t i = 0; i < keyboard->actions_.size(); ++i) {
            if (keyboard->actions_[i] != action) continue;
            const bool pressed = member == "Pressed";
            if (!pressed && member != "Released") continue;
            if (pressed) keyboard->held_.pressed(i);
            if (!pressed) keyboard->held_.released(i);
            if (i < keyboard->heldNow_.size() && keyboard->heldNow_[i] != pressed) {
                keyboard->heldNow_[i] = pressed;
                keyboard->events_.noteHeld(keyboard->wanted_, keyboard->heldNow_);
            }
        }
        return 0;
    }

    BusHandle bus_;
    SlotHandle ownerWatch_;
    SlotHandle helperSignals_;
    std::vector<KeyCombination> wanted_;
    std::vector<std::uint32_t> actions_;
    HeldCombinations held_;      // for the key queries, which see a tap held once
    std::vector<bool> heldNow_;  // as the helper's last signals said, for the key events
    KeyEventLog events_;
    bool present_ = false;
    bool heardAtStart_ = false;
    bool bindAgain_ = false;
};

}  // namespace

std::unique_ptr<KeyboardState> openHelperKeyboard() {
    auto bus = openSessionBus();
    if (!bus) return nullptr;
    return std::make_unique<HelperKeyboard>(std::move(bus.value()));
}

}  // namespace pointilla::platform::wayland::gnome
