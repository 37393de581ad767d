#include "shell/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace pointilla::shell {

namespace {

// A pointer arrow on a dotted trail, on a transparent background.
QPixmap drawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2a, 0x7a, 0xd6));
    for (int i = 0; i < 4; ++i) painter.drawEllipse(QPointF(4 + 5.5 * i, 28 - 1.5 * i), 2.4, 2.4);

    QPainterPath arrow;
    arrow.moveTo(12, 2);
    arrow.lineTo(12, 22);
    arrow.lineTo(16.5, 17.5);
    arrow.lineTo(20, 25);
    arrow.lineTo(23, 23.5);
    arrow.lineTo(19.5, 16.5);
    arrow.lineTo(26, 16.5);
    arrow.closeSubpath();
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(Qt::white);
    painter.drawPath(arrow);
    return pixmap;
}

}  // namespace

QIcon pointillaIcon() {
    QIcon icon;
    icon.addPixmap(drawIcon(16));
    icon.addPixmap(drawIcon(32));
    return icon;
}

}  // namespace pointilla::shell
