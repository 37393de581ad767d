// A full-screen Wayland window that prints what it receives, one line each:
//   ready                    once it is shown
//   press BUTTON X Y         release BUTTON X Y
// with X and Y in the window's pixels, which are the monitor's when it covers
// the primary monitor alone.

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

class ClickWindow final : public QWidget {
  protected:
    void mousePressEvent(QMouseEvent* event) override { print("press", event); }
    void mouseReleaseEvent(QMouseEvent* event) override { print("release", event); }
    void showEvent(QShowEvent* /*event*/) override {
        // Once the compositor has mapped it: after the first frame is drawn.
        QTimer::singleShot(200, [] {
            std::printf("ready\n");
            std::fflush(stdout);
        });
    }

  private:
    static void print(const char* what, QMouseEvent* event) {
        const QPointF at = event->position();
        std::printf("%s %d %d %d\n", what, static_cast<int>(event->button()), qRound(at.x()),
                    qRound(at.y()));
        std::fflush(stdout);
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ClickWindow window;
    window.setWindowTitle("wayland_click_window");
    window.showFullScreen();
    return QApplication::exec();
}
