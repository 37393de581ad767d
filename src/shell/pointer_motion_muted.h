#pragma once
// While rows run back to back the window handles none of its events, yet the
// desktop would still send it one for every move that crosses it: on X11 the
// server's work and the window's reader thread for those events cost a
// playback more than its moves. For as long as one of these lives, the window
// is sent no pointer motion; crossings and buttons still are, so that it knows
// where the pointer is afterwards and a click on it is not lost. Elsewhere the
// desktop folds moves together already, and this does nothing.

#include <memory>

class QWidget;

namespace pointilla::shell {

class PointerMotionMuted {
  public:
    explicit PointerMotionMuted(QWidget& window);
    ~PointerMotionMuted();
    PointerMotionMuted(const PointerMotionMuted&) = delete;
    PointerMotionMuted& operator=(const PointerMotionMuted&) = delete;

  private:
    struct Selection;
    std::unique_ptr<Selection> saved_;  // null: nothing was changed
};

}  // namespace pointilla::shell
