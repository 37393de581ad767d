// File names chosen in the toolkit's text reach the very file the toolkit
// names, whatever their characters, and come back unchanged.

#include "platform/qt/qt_paths.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QDir>
#include <QFile>
#include <filesystem>
#include <fstream>

namespace {

using pointilla::platform::pathFromQString;
using pointilla::platform::qstringFromPath;
using pointilla::platform::textFromPath;

TEST(QtPaths, ANameTheToolkitHoldsIsTheFileTheFileCodeOpens) {
    std::string pattern = (std::filesystem::temp_directory_path() / "qt-paths-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const QString folder = QFile::decodeName(QByteArray::fromStdString(pattern));
    for (const char* name : {"plain.sce", "Mes scénarios/été.sce", "Hélène/œuvre €.sce",
                             "日本語/シナリオ.sce", "emoji 😀/a b.sce"}) {
        SCOPED_TRACE(name);
        const QString chosen = folder + QLatin1Char('/') + QString::fromUtf8(name);
        ASSERT_TRUE(QDir().mkpath(chosen.section(QLatin1Char('/'), 0, -2)));
        const std::filesystem::path path = pathFromQString(chosen);
        std::ofstream(path, std::ios::binary) << name;

        QFile seen(chosen);
        ASSERT_TRUE(seen.open(QIODevice::ReadOnly));
        EXPECT_EQ(seen.readAll().toStdString(), name);
        EXPECT_EQ(qstringFromPath(path), chosen);
        EXPECT_EQ(textFromPath(path), QFile::encodeName(chosen).toStdString());
    }
    std::filesystem::remove_all(pattern);
}

}  // namespace
