#include "editing/design_label.h"

#include <QLabel>
#include <algorithm>

namespace pointilla::editing {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, QRect place) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    label->resize(std::max(place.width(), label->sizeHint().width()), place.height());
    return label;
}

}  // namespace pointilla::editing
