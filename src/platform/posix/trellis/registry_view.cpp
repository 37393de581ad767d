// The view is the registry store's read snapshot.

#include "trellis/store/registry_view.h"

#include "platform/registry/advapi32.h"

namespace trellis {

struct RegistryView::State {
    pointilla::registry::ReadSnapshot snapshot;
};

RegistryView::RegistryView() : state_(std::make_unique<State>()) {}

RegistryView::~RegistryView() = default;

}  // namespace trellis
