// Windows names are UTF-16, as QString holds them: copied unit for unit.
#include "platform/qt/qt_paths.h"

namespace pointilla::platform {

std::filesystem::path pathFromQString(const QString& fileName) {
    return std::filesystem::path(fileName.toStdWString());
}

QString qstringFromPath(const std::filesystem::path& path) {
    return QString::fromStdWString(path.native());
}

std::string textFromPath(const std::filesystem::path& path) {
    return qstringFromPath(path).toStdString();
}

}  // namespace pointilla::platform
