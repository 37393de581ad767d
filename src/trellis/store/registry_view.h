#pragma once
// One consistent view of the registry while alive: every read meanwhile sees the
// same committed state, whatever other processes write. The Windows registry
// offers no such view; there it is nothing. One implementation per platform.

#include <memory>

namespace trellis {

class RegistryView {
  public:
    RegistryView();
    ~RegistryView();
    RegistryView(const RegistryView&) = delete;
    RegistryView& operator=(const RegistryView&) = delete;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace trellis
