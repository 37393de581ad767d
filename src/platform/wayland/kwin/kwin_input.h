#pragma once
// KWin's Wayland side: injected pointer and key input through
// org_kde_kwin_fake_input, and where the primary output lies in the global
// layout (the first output of KWin's output order, placed by xdg-output).
//
// KWin offers org_kde_kwin_fake_input only to a program whose executable is
// named by the Exec line of an installed .desktop file that lists it in
// X-KDE-Wayland-Interfaces; to any other client the global does not exist.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/desktop_open_error.h"
#include "common/result.h"
#include "platform/desktop/desktop.h"
#include "platform/wayland/common/wayland_handles.h"
#include "platform/wayland/kwin/keyboard_layout.h"

struct org_kde_kwin_fake_input;
struct zxdg_output_manager_v1;
struct kde_output_order_v1;

namespace pointilla::platform::wayland::kwin {

class KwinInput {
  public:
    // Connects to $WAYLAND_DISPLAY and checks that fake input with absolute
    // motion (version 3) is offered.
    static Result<std::unique_ptr<KwinInput>, DesktopOpenError> connect();

    ~KwinInput();
    KwinInput(const KwinInput&) = delete;
    KwinInput& operator=(const KwinInput&) = delete;

    // Global layout coordinates, as KWin's cursor position reads.
    Status<DesktopLost> moveTo(ScreenPoint global);
    // Sends the moves still held back.
    Status<DesktopLost> flush();
    Status<DesktopLost> pressLeft(bool down);
    // A key by its Linux input code (KEY_*); needs fake input version 4.
    bool canPressKeys() const { return fakeInputVersion_ >= 4; }
    void pressKey(std::uint32_t linuxKeyCode, bool down);

    // The primary output's top-left corner and logical size, in the layout.
    ScreenPoint primaryOrigin();
    ScreenSize primarySize();

    // The keyboard layouts of the session, once KWin has sent its keymap.
    const KeyboardLayout* layout() const { return layout_.get(); }

    // Waits until KWin has handled every request sent so far.
    bool sync();
    bool broken() const;

    struct Output;
    // Listeners of KWin's output order.
    static void onOrderOutput(void* data, kde_output_order_v1* order, const char* name);
    static void onOrderDone(void* data, kde_output_order_v1* order);
    // Listeners of the seat and its keyboard: only the keymap matters here.
    static void onSeatCapabilities(void* data, wl_seat* seat, std::uint32_t capabilities);
    static void onKeymap(void* data, wl_keyboard* keyboard, std::uint32_t format, int fd,
                         std::uint32_t size);

  private:
    KwinInput() = default;
    static constexpr int kMovesPerWrite = 64;
    int movesHeld_ = 0;             // written since the last flush
    bool movedSincePress_ = false;  // moves sent since the last press
    void flushAll();
    void readPending();
    const Output* primary();

    static void onGlobal(void* data, wl_registry* registry, std::uint32_t name,
                         const char* interface, std::uint32_t version);
    static void onGlobalRemove(void* data, wl_registry* registry, std::uint32_t name);
    void addOutput(std::uint32_t name, std::uint32_t version);
    void watchLogicalGeometry(Output& output);

    DisplayHandle display_;
    RegistryHandle registry_;
    org_kde_kwin_fake_input* fakeInput_ = nullptr;
    std::uint32_t fakeInputVersion_ = 0;
    zxdg_output_manager_v1* xdgOutputs_ = nullptr;
    kde_output_order_v1* outputOrder_ = nullptr;
    std::vector<std::unique_ptr<Output>> outputs_;
    std::vector<std::string> order_;
    std::vector<std::string> orderBeingRead_;
    wl_seat* seat_ = nullptr;
    wl_keyboard* keyboard_ = nullptr;
    std::unique_ptr<KeyboardLayout> layout_;
};

}  // namespace pointilla::platform::wayland::kwin
