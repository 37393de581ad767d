#pragma once
// A caption placed where the window's design puts it.

#include <QRect>
#include <QString>

class QLabel;
class QWidget;

namespace pointilla::editing {

// A label named `name` at `place`. The desktop's font may be wider than the
// design's: a caption that would not fit grows rightwards into the free space
// rather than being cut; its height stays as designed.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, QRect place);

}  // namespace pointilla::editing
