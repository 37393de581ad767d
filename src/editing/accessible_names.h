#pragma once
// Gives every control of a window that a screen reader would otherwise hear by
// its current value, or by a bare caption, the name and description that
// messages/accessible_names.h holds for it. Call once the controls exist.

class QWidget;

namespace pointilla::editing {

void nameForScreenReaders(QWidget& window);

}  // namespace pointilla::editing
