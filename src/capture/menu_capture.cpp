#include "capture/menu_capture.h"

#include "capture/pointer_capture.h"

namespace pointilla::capture {

MenuCapture::MenuCapture(QAction* entry, PointerCapture& capture, QTimer* timer3,
                         std::chrono::milliseconds armedFor, QObject* parent)
    : QObject(parent), entry_(entry), capture_(capture), timer3_(timer3) {
    countdown_.setSingleShot(true);
    countdown_.setInterval(armedFor);
    connect(&countdown_, &QTimer::timeout, this, &MenuCapture::capture);
    connect(entry_, &QAction::triggered, this, &MenuCapture::arm);
}

void MenuCapture::arm() {
    if (armed()) return;
    entry_->setEnabled(false);
    countdown_.start();
}

void MenuCapture::capture() {
    holding_ = true;
    capture_.holdCapture(true);
    // Released right after Timer3's next sample (connected after the sampler,
    // so it runs after it): one row per capture, as a short press of the hot key.
    connect(
        timer3_, &QTimer::timeout, this,
        [this] {
            capture_.holdCapture(false);
            holding_ = false;
            entry_->setEnabled(true);
        },
        Qt::SingleShotConnection);
}

}  // namespace pointilla::capture
