#include "capture/click_capture.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

namespace pointilla::capture {

bool onProgramWindow(platform::ScreenPoint point) {
    // Desktop points count from the primary monitor's corner, the toolkit's
    // from the virtual desktop's, in its device-independent pixels.
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary == nullptr) return false;
    const qreal ratio = primary->devicePixelRatio();
    const QPoint local(qRound(point.x / ratio), qRound(point.y / ratio));
    return QGuiApplication::topLevelAt(primary->geometry().topLeft() + local) != nullptr;
}

ClickCapture::ClickCapture(platform::ClickSource* source, QTimer* fallbackTimer,
                           RowsSink appendRows, QObject* parent)
    : QObject(parent),
      source_(source),
      fallbackTimer_(fallbackTimer),
      appendRows_(std::move(appendRows)),
      ownWindow_(&onProgramWindow) {}

ClickCapture::~ClickCapture() {
    if (active_ && source_ != nullptr) source_->stopListening();
}

Status<platform::ListenRefused> ClickCapture::start() {
    if (active_) return {};
    if (source_ == nullptr) return fail(platform::ListenRefused{"no click source"});
    if (auto started = source_->startListening(); !started) return started;
    builder_ = ClickRowBuilder{};
    active_ = true;
    const int fd = source_->pressNotifier();
    if (fd >= 0) {
        notifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        connect(notifier_.get(), &QSocketNotifier::activated, this, &ClickCapture::takePresses);
    } else if (fallbackTimer_ != nullptr) {
        timerConnection_ =
            connect(fallbackTimer_, &QTimer::timeout, this, &ClickCapture::takePresses);
    }
    emit activeChanged(true);
    emit clicksChanged(0);
    return {};
}

void ClickCapture::stop() {
    if (!active_) return;
    takePresses();
    active_ = false;
    notifier_.reset();  // before its descriptor goes with the listening
    disconnect(timerConnection_);
    source_->stopListening();
    emit activeChanged(false);
}

void ClickCapture::takePresses() {
    if (!active_) return;
    const int before = builder_.clicks();
    const std::vector<scenario::Row> rows = builder_.takeFrom(*source_, ownWindow_);
    if (!rows.empty()) appendRows_(rows);
    if (builder_.clicks() != before) emit clicksChanged(builder_.clicks());
}

}  // namespace pointilla::capture
