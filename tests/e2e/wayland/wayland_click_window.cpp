// A native Wayland window for the compositors' tests: full screen on the
// primary output (so its coordinates are the screen's), printing each
// left-button press and release it receives, and each key pressed, one per line:
//   ready WIDTH HEIGHT      once the compositor shows it full screen
//   press X Y               release X Y
//   key CODE [ctrl] [alt] [shift]   the toolkit's key code and the modifiers held

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

class ClickWindow final : public QWidget {
  protected:
    void mousePressEvent(QMouseEvent* event) override { report("press", event); }
    void mouseReleaseEvent(QMouseEvent* event) override { report("release", event); }
    void keyPressEvent(QKeyEvent* event) override {
        const auto held = event->modifiers();
        std::printf("key %d%s%s%s\n", event->key(), held & Qt::ControlModifier ? " ctrl" : "",
                    held & Qt::AltModifier ? " alt" : "", held & Qt::ShiftModifier ? " shift" : "");
        std::fflush(stdout);
    }
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
        QTimer::singleShot(200, this, [size = size()] {
            std::printf("ready %d %d\n", size.width(), size.height());
            std::fflush(stdout);
        });
    }

    static void report(const char* what, QMouseEvent* event) {
        if (event->button() != Qt::LeftButton) return;
        const QPoint at = event->position().toPoint();
        std::printf("%s %d %d\n", what, at.x(), at.y());
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
