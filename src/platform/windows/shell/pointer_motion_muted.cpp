#include "shell/pointer_motion_muted.h"

// A window is sent one WM_MOUSEMOVE for however many moves were made since it
// last looked: nothing to mute.

namespace pointilla::shell {

struct PointerMotionMuted::Selection {};

PointerMotionMuted::PointerMotionMuted(QWidget& /*window*/) {}

PointerMotionMuted::~PointerMotionMuted() = default;

}  // namespace pointilla::shell
