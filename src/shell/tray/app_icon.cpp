#include "shell/tray/app_icon.h"

namespace pointilla::shell {

QIcon applicationIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/pointilla/hicolor/%1x%1/apps/pointilla.png").arg(size),
                     QSize(size, size));
    }
    return icon;
}

}  // namespace pointilla::shell
