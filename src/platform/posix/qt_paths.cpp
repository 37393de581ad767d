// POSIX names are bytes: the toolkit's own encoding of file names gives them.
#include "platform/qt/qt_paths.h"

#include <QFile>

namespace pointilla::platform {

std::filesystem::path pathFromQString(const QString& fileName) {
    const QByteArray bytes = QFile::encodeName(fileName);
    return std::filesystem::path(std::string(bytes.constData(), bytes.size()));
}

QString qstringFromPath(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

std::string textFromPath(const std::filesystem::path& path) { return path.native(); }

}  // namespace pointilla::platform
