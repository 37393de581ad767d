#include "shell/tray/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace pointilla::shell {

QIcon applicationIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/pointilla/hicolor/%1x%1/apps/pointilla.png").arg(size),
                     QSize(size, size));
    }
    return icon;
}

namespace {

// Drawn on a 24-unit grid: the window at the top left, the tray bar along the
// bottom with a lit slot at its right, and an arrow from one to the other.
QPixmap windowToTrayPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 24.0, size / 24.0);
    const QColor outline(0x30, 0x30, 0x30);
    const QColor accent(0x2a, 0x7f, 0xd4);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x50, 0x50, 0x50));
    painter.drawRoundedRect(QRectF(1, 18.5, 22, 5), 1.2, 1.2);
    painter.setBrush(accent);
    painter.drawRect(QRectF(16.5, 19.8, 4.5, 2.4));

    painter.setPen(QPen(outline, 1.2));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(1.6, 1.6, 13, 10));
    painter.setBrush(accent);
    painter.drawRect(QRectF(1.6, 1.6, 13, 3));

    painter.setPen(QPen(accent, 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(10.5, 13), QPointF(16.2, 16.2));
    QPainterPath head;
    head.moveTo(19.5, 18);
    head.lineTo(13.8, 17.6);
    head.lineTo(17.3, 13.1);
    head.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(accent);
    painter.drawPath(head);
    return pixmap;
}

}  // namespace

QIcon windowToTrayIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48}) icon.addPixmap(windowToTrayPixmap(size));
    return icon;
}

}  // namespace pointilla::shell
