#include "platform/wayland/kwin/global_shortcuts.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/wayland/kwin/bus_calls.h"
#include "platform/wayland/kwin/shortcut_keys.h"

namespace pointilla::platform::wayland::kwin {
namespace {

constexpr const char* kService = "org.kde.kglobalaccel";
constexpr const char* kPath = "/kglobalaccel";
constexpr const char* kInterface = "org.kde.KGlobalAccel";
constexpr const char* kComponentInterface = "org.kde.kglobalaccel.Component";
// setShortcut flags: make the shortcut active now, and take these keys rather
// than any kept from an earlier run.
constexpr std::uint32_t kSetPresent = 2;
constexpr std::uint32_t kNoAutoloading = 4;

// The action's identity as KGlobalAccel takes it: component, action, and the
// names shown for both.
int appendActionId(sd_bus_message* call, const std::string& component, const std::string& name,
                   const std::string& label) {
    return sd_bus_message_append(call, "as", 4, component.c_str(), name.c_str(), "Pointilla",
                                 label.c_str());
}

}  // namespace

GlobalShortcuts::GlobalShortcuts(sd_bus* bus, std::string component, CodesOf codesOf)
    : bus_(bus), component_(std::move(component)), codesOf_(std::move(codesOf)) {}

GlobalShortcuts::~GlobalShortcuts() {
    for (const Bound& bound : bound_) unbind(bound);
}

void GlobalShortcuts::watch(std::span<const KeyCombination> combinations) {
    bool droppedHeld = false;
    std::vector<Bound> kept;
    for (Bound& bound : bound_) {
        if (std::find(combinations.begin(), combinations.end(), bound.keys) != combinations.end()) {
            kept.push_back(std::move(bound));
        } else {
            droppedHeld = droppedHeld || bound.held;
            unbind(bound);
        }
    }
    bound_ = std::move(kept);
    if (droppedHeld) {
        changed_ = true;
        noteHeldKeys();
    }
    for (const KeyCombination& keys : combinations) {
        const bool known = std::any_of(bound_.begin(), bound_.end(),
                                       [&keys](const Bound& bound) { return bound.keys == keys; });
        // One KWin cannot name or another program holds stays unheard.
        if (!known) bind(keys);
    }
}

bool GlobalShortcuts::bind(const KeyCombination& keys) {
    const std::vector<int> codes = codesOf_(keys);
    if (codes.empty()) return false;
    Bound bound{keys, shortcutName(keys)};
    const std::string label = shortcutLabel(keys);
    auto registered = callMethod(
        bus_, kService, kPath, kInterface, "doRegister",
        [&](sd_bus_message* call) { return appendActionId(call, component_, bound.name, label); });
    if (!registered) return false;
    auto set =
        callMethod(bus_, kService, kPath, kInterface, "setShortcut", [&](sd_bus_message* call) {
            int result = appendActionId(call, component_, bound.name, label);
            if (result < 0) return result;
            result = sd_bus_message_append_array(call, 'i', codes.data(),
                                                 codes.size() * sizeof(codes[0]));
            if (result < 0) return result;
            return sd_bus_message_append(call, "u", kSetPresent | kNoAutoloading);
        });
    if (!set) {
        unbind(bound);
        return false;
    }
    // KGlobalAccel answers with the keys it gave: none when other programs have
    // them all.
    const void* given = nullptr;
    std::size_t size = 0;
    if (sd_bus_message_read_array(set->get(), 'i', &given, &size) < 0 || size == 0) {
        unbind(bound);
        return false;
    }
    if (!signals_) subscribe();
    bound_.push_back(std::move(bound));
    return true;
}

void GlobalShortcuts::unbind(const Bound& bound) {
    (void)callMethod(bus_, kService, kPath, kInterface, "unregister", [&](sd_bus_message* call) {
        return sd_bus_message_append(call, "ss", component_.c_str(), bound.name.c_str());
    });
}

void GlobalShortcuts::subscribe() {
    auto path =
        callMethod(bus_, kService, kPath, kInterface, "getComponent", [this](sd_bus_message* call) {
            return sd_bus_message_append(call, "s", component_.c_str());
        });
    if (!path) return;
    const char* componentPath = nullptr;
    if (sd_bus_message_read(path->get(), "o", &componentPath) < 0) return;
    sd_bus_slot* slot = nullptr;
    if (sd_bus_match_signal(bus_, &slot, kService, componentPath, kComponentInterface, nullptr,
                            onSignal, this) >= 0) {
        signals_.reset(slot);
    }
}

int GlobalShortcuts::onSignal(sd_bus_message* message, void* data, sd_bus_error*) {
    auto* self = static_cast<GlobalShortcuts*>(data);
    const char* member = sd_bus_message_get_member(message);
    if (member == nullptr) return 0;
    const bool pressed = std::strcmp(member, "globalShortcutPressed") == 0;
    if (!pressed && std::strcmp(member, "globalShortcutReleased") != 0) return 0;
    const char* component = nullptr;
    const char* name = nullptr;
    if (sd_bus_message_read(message, "ss", &component, &name) < 0) return 0;
    if (self->component_ != component) return 0;
    if (hearShortcut(self->bound_, name, pressed)) {
        self->changed_ = true;
        self->noteHeldKeys();
    }
    return 0;
}

void GlobalShortcuts::noteHeldKeys() {
    std::vector<int> keys;
    for (const Bound& bound : bound_) {
        if (bound.held) keys.insert(keys.end(), bound.keys.begin(), bound.keys.end());
    }
    events_.note(std::move(keys));
}

bool GlobalShortcuts::isDown(int virtualKey) const { return shortcutKeyDown(bound_, virtualKey); }

}  // namespace pointilla::platform::wayland::kwin
