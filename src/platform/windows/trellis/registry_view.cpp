// The Windows registry has no snapshot to hold: the view holds nothing.

#include "trellis/store/registry_view.h"

namespace trellis {

struct RegistryView::State {};

RegistryView::RegistryView() = default;

RegistryView::~RegistryView() = default;

}  // namespace trellis
