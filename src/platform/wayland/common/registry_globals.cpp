#include "platform/wayland/common/registry_globals.h"

#include <algorithm>

namespace pointilla::platform::wayland {

std::unique_ptr<RegistryGlobals> RegistryGlobals::read(wl_display* display) {
    static const wl_registry_listener listener{&RegistryGlobals::added, &RegistryGlobals::removed};
    std::unique_ptr<RegistryGlobals> globals(new RegistryGlobals());
    globals->registry_.reset(wl_display_get_registry(display));
    if (!globals->registry_) return nullptr;
    wl_registry_add_listener(globals->registry_.get(), &listener, globals.get());
    if (wl_display_roundtrip(display) < 0) return nullptr;
    globals->listed_ = true;
    return globals;
}

const Global* RegistryGlobals::find(std::string_view interface) const {
    const auto found = std::find_if(globals_.begin(), globals_.end(), [&](const Global& global) {
        return global.interface == interface;
    });
    return found == globals_.end() ? nullptr : &*found;
}

void RegistryGlobals::added(void* data, wl_registry* /*registry*/, std::uint32_t name,
                            const char* interface, std::uint32_t version) {
    auto* self = static_cast<RegistryGlobals*>(data);
    self->globals_.push_back({name, interface, version});
    if (self->listed_ && self->onAdded) self->onAdded(self->globals_.back());
}

void RegistryGlobals::removed(void* data, wl_registry* /*registry*/, std::uint32_t name) {
    auto* self = static_cast<RegistryGlobals*>(data);
    std::erase_if(self->globals_, [name](const Global& global) { return global.name == name; });
    if (self->onRemoved) self->onRemoved(name);
}

std::vector<std::string> interfaceNames(const std::vector<Global>& globals) {
    std::vector<std::string> names;
    names.reserve(globals.size());
    for (const Global& global : globals) names.push_back(global.interface);
    return names;
}

}  // namespace pointilla::platform::wayland
