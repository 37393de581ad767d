// A native Wayland window for the KWin test: full screen on the primary
// output (so its coordinates are the screen's), printing each left-button
// press and release it receives, one per line:
//   ready WIDTH HEIGHT      once it covers the output
//   press X Y               release X Y
// Ends when its standard input is closed.

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

class ClickWindow final : public QWidget {
  protected:
    void mousePressEvent(QMouseEvent* event) override { report("press", event); }
    void mouseReleaseEvent(QMouseEvent* event) override { report("release", event); }
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        const QSize screen = this->screen()->size();
        if (!ready_ && size() == screen) {
            ready_ = true;
            // Mapped at that size once the compositor has drawn it.
            QTimer::singleShot(200, this, [screen] {
                std::printf("ready %d %d\n", screen.width(), screen.height());
                std::fflush(stdout);
            });
        }
    }

  private:
    static void report(const char* what, QMouseEvent* event) {
        if (event->button() != Qt::LeftButton) return;
        const QPoint at = event->position().toPoint();
        std::printf("%s %d %d\n", what, at.x(), at.y());
        std::fflush(stdout);
    }
    bool ready_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ClickWindow window;
    window.showFullScreen();
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&input] {
        char byte = 0;
        if (std::fread(&byte, 1, 1, stdin) != 1) QApplication::quit();
        (void)input;
    });
    return QApplication::exec();
}
