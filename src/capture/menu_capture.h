#pragma once
// Capturing a position from the window's menu, for desktops whose programs
// cannot hear a global hot key (GNOME before the GlobalShortcuts portal).
// "Capturer la position" gives the user three seconds to rest the pointer on
// the target; then the position shown goes to Label12 as the hot key would put
// it there, until Timer3 has turned it into a row.

#include <QAction>
#include <QObject>
#include <QTimer>
#include <chrono>

namespace pointilla::capture {

class PointerCapture;

class MenuCapture : public QObject {
    Q_OBJECT

  public:
    static constexpr std::chrono::milliseconds kArmedFor{3000};

    // Wires `entry`; the capture and Timer3 must outlive this object.
    MenuCapture(QAction* entry, PointerCapture& capture, QTimer* timer3,
                std::chrono::milliseconds armedFor = kArmedFor, QObject* parent = nullptr);

    bool armed() const { return countdown_.isActive() || holding_; }

  private:
    void arm();
    void capture();

    QAction* entry_;
    PointerCapture& capture_;
    QTimer* timer3_;
    QTimer countdown_;
    bool holding_ = false;
};

}  // namespace pointilla::capture
