#pragma once
// The left-button presses made anywhere in the session, heard through a
// low-level mouse hook (WH_MOUSE_LL). Windows calls the hook on the thread
// that installed it, while that thread reads its messages: install it from
// the window's thread, whose event loop then keeps it alive. One hook per
// process: a hook procedure has no context of its own.

#include <windows.h>

#include <vector>

#include "platform/desktop/desktop.h"
#include "platform/desktop/wrapping_ticks.h"

namespace pointilla::platform::windows {

class MouseHook final : public ClickSource {
  public:
    MouseHook() = default;
    MouseHook(const MouseHook&) = delete;
    MouseHook& operator=(const MouseHook&) = delete;
    ~MouseHook() override { stopListening(); }

    Status<ListenRefused> startListening() override;
    void stopListening() override;
    std::vector<LeftButtonPress> takePresses() override;

  private:
    static LRESULT CALLBACK onMouse(int code, WPARAM message, LPARAM data);

    HHOOK hook_ = nullptr;
    WrappingTicks ticks_;
    std::vector<LeftButtonPress> presses_;
};

}  // namespace pointilla::platform::windows
