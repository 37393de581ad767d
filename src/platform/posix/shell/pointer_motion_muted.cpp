#include "shell/pointer_motion_muted.h"

#include <QGuiApplication>
#include <QWidget>
#include <vector>

// Xlib's macros (Status, None) clash with Qt's names: last.
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

namespace pointilla::shell {

namespace {

struct DeviceMask {
    int device;
    std::vector<unsigned char> bits;
};

}  // namespace

// What the window's own connection selected, to be given back as it was.
struct PointerMotionMuted::Selection {
    Display* display = nullptr;
    Window window = 0;
    long coreMask = 0;
    std::vector<DeviceMask> inputMasks;
};

namespace {

constexpr long kCoreMotion = PointerMotionMask | ButtonMotionMask;

void selectInputMasks(Display* display, Window window, std::vector<DeviceMask>& masks) {
    for (auto& mask : masks) {
        XIEventMask selection{mask.device, static_cast<int>(mask.bits.size()), mask.bits.data()};
        XISelectEvents(display, window, &selection, 1);
    }
}

}  // namespace

PointerMotionMuted::PointerMotionMuted(QWidget& window) {
    // Only the xcb platform's connection is the window's (the offscreen one
    // may open a display of its own).
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !window.isVisible()) return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->display() == nullptr) return;
    auto saved = std::make_unique<Selection>();
    saved->display = x11->display();
    saved->window = static_cast<Window>(window.winId());
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(saved->display, saved->window, &attributes) == 0) return;
    saved->coreMask = attributes.your_event_mask;
    int count = 0;
    if (XIEventMask* masks = XIGetSelectedEvents(saved->display, saved->window, &count)) {
        for (int i = 0; i < count; ++i) {
            saved->inputMasks.push_back(
                {masks[i].deviceid,
                 std::vector<unsigned char>(masks[i].mask, masks[i].mask + masks[i].mask_len)});
        }
        XFree(masks);
    }

    std::vector<DeviceMask> muted = saved->inputMasks;
    for (auto& mask : muted) {
        if (static_cast<int>(mask.bits.size()) > XI_Motion >> 3) {
            mask.bits[XI_Motion >> 3] &= static_cast<unsigned char>(~(1U << (XI_Motion & 7)));
        }
    }
    XSelectInput(saved->display, saved->window, saved->coreMask & ~kCoreMotion);
    selectInputMasks(saved->display, saved->window, muted);
    // The moves go out on another connection: the server must hold the new
    // selection before the first of them.
    XSync(saved->display, False);
    saved_ = std::move(saved);
}

PointerMotionMuted::~PointerMotionMuted() {
    if (!saved_) return;
    XSelectInput(saved_->display, saved_->window, saved_->coreMask);
    selectInputMasks(saved_->display, saved_->window, saved_->inputMasks);
    XFlush(saved_->display);
}

}  // namespace pointilla::shell
