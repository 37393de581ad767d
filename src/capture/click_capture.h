#pragma once
// Click capture on the window's side: while it runs, the presses the desktop
// hears become rows (capture/click_rows.h) handed to `appendRows` as they come.
// Presses are read when the source's notifier says they wait, or on the ticks
// of an existing timer (Timer1) when the source has none: no timer of its own.
// Presses on the program's own windows (its menus, its tray icon) count not.

#include <QObject>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "capture/click_rows.h"
#include "common/result.h"
#include "platform/desktop/desktop.h"

namespace pointilla::capture {

class ClickCapture : public QObject {
    Q_OBJECT

  public:
    using RowsSink = std::function<void(const std::vector<scenario::Row>&)>;

    // source: nullptr where the desktop offers none. The source and the timer
    // must outlive this object.
    ClickCapture(platform::ClickSource* source, QTimer* fallbackTimer, RowsSink appendRows,
                 QObject* parent = nullptr);
    ~ClickCapture() override;

    bool available() const { return source_ != nullptr; }
    bool active() const { return active_; }
    // Counted presses of the current (or last) capture.
    int clicks() const { return builder_.clicks(); }

    // Starts a capture with a fresh count; nothing when one runs already.
    Status<platform::ListenRefused> start();
    // Takes what is left, then stops listening.
    void stop();

    // Tests place the program's windows themselves.
    void setOwnWindowTest(OwnWindowTest test) { ownWindow_ = std::move(test); }

  signals:
    void clicksChanged(int clicks);
    void activeChanged(bool active);

  private:
    void takePresses();

    platform::ClickSource* source_;
    QPointer<QTimer> fallbackTimer_;
    RowsSink appendRows_;
    OwnWindowTest ownWindow_;
    ClickRowBuilder builder_;
    std::unique_ptr<QSocketNotifier> notifier_;
    QMetaObject::Connection timerConnection_;
    bool active_ = false;
};

// Whether a desktop point lies on one of the program's windows as stacked now
// (the toolkit asks the window system, so a window above ours hides it).
bool onProgramWindow(platform::ScreenPoint point);

}  // namespace pointilla::capture
