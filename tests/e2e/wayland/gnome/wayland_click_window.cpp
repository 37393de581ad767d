// A full-screen Wayland window that prints what it receives, one line each:
//   ready                    once the compositor shows it full screen
//   press BUTTON X Y         release BUTTON X Y
// with X and Y in the window's pixels, which are the monitor's when it covers
// the primary monitor alone.

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

class ClickWindow final : public QWidget {
  protected:
    void mousePressEvent(QMouseEvent* event) override { print("press", event); }
    void mouseReleaseEvent(QMouseEvent* event) override { print("release", event); }
    // The compositor may map the window at a place of its own first and make
    // it full screen a moment later; presses before then land offset.
    void showEvent(QShowEvent* /*event*/) override { sayReadyOnceFullScreen(); }
    void resizeEvent(QResizeEvent* /*event*/) override { sayReadyOnceFullScreen(); }
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::WindowStateChange) sayReadyOnceFullScreen();
        QWidget::changeEvent(event);
    }

  private:
    void sayReadyOnceFullScreen() {
        if (saidReady_ || !isVisible() || !isFullScreen() || screen() == nullptr ||
            size() != screen()->size()) {
            return;
        }
        saidReady_ = true;
        // After the first full-screen frame is drawn.
        QTimer::singleShot(200, [] {
            std::printf("ready\n");
            std::fflush(stdout);
        });
    }

    static void print(const char* what, QMouseEvent* event) {
        const QPointF at = event->position();
        std::printf("%s %d %d %d\n", what, static_cast<int>(event->button()), qRound(at.x()),
                    qRound(at.y()));
        std::fflush(stdout);
    }

    bool saidReady_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ClickWindow window;
    window.setWindowTitle("wayland_click_window");
    window.showFullScreen();
    return QApplication::exec();
}
