#include "platform/native/backend_choice.h"

#include <algorithm>

namespace pointilla::platform {
namespace {

bool showsAnyGlobal(std::span<const std::string> globals, const WaylandFamily& family) {
    return std::any_of(globals.begin(), globals.end(), [&](const std::string& global) {
        return std::any_of(family.globals.begin(), family.globals.end(),
                           [&](std::string_view start) { return global.starts_with(start); });
    });
}

bool hasAnyBusName(std::span<const std::string> busNames, const WaylandFamily& family) {
    return std::any_of(family.busNames.begin(), family.busNames.end(), [&](std::string_view name) {
        return std::find(busNames.begin(), busNames.end(), name) != busNames.end();
    });
}

}  // namespace

Result<std::optional<Backend>, std::string> backendFromSession(
    const SessionFacts& facts, std::span<const WaylandFamily> families) {
    if (!facts.forced.empty()) {
        if (facts.forced == kX11BackendName) return std::optional<Backend>(Backend{});
        for (const WaylandFamily& family : families) {
            if (facts.forced == family.name) return std::optional<Backend>(Backend{&family});
        }
        return fail(facts.forced);
    }
    if (facts.waylandDisplay.empty() || facts.sessionType == "x11") {
        return std::optional<Backend>(Backend{});
    }
    return std::optional<Backend>();
}

std::vector<std::string_view> familyBusNames(std::span<const WaylandFamily> families) {
    std::vector<std::string_view> names;
    for (const WaylandFamily& family : families) {
        names.insert(names.end(), family.busNames.begin(), family.busNames.end());
    }
    return names;
}

const WaylandFamily* familyOfCompositor(std::span<const std::string> globals,
                                        std::span<const std::string> busNames,
                                        std::span<const WaylandFamily> families) {
    // The compositor's own route comes before a service the session also runs
    // (a portal answers on most desktops).
    for (const WaylandFamily& family : families) {
        if (showsAnyGlobal(globals, family)) return &family;
    }
    for (const WaylandFamily& family : families) {
        if (hasAnyBusName(busNames, family)) return &family;
    }
    return nullptr;
}

std::string routesWeKnow(std::span<const WaylandFamily> families) {
    std::string routes;
    for (const WaylandFamily& family : families) {
        if (!routes.empty()) routes += ", ";
        routes += family.route;
    }
    return routes;
}

std::vector<BackendChoice> backendChoices(std::span<const WaylandFamily> families) {
    std::vector<BackendChoice> choices{{std::string(kX11BackendName), "X.Org, XWayland"}};
    for (const WaylandFamily& family : families) {
        choices.push_back({std::string(family.name), std::string(family.desktops)});
    }
    return choices;
}

}  // namespace pointilla::platform
