#pragma once
// File names between the toolkit's text and the file code. A QString holds the
// name the person chose; the file code opens a std::filesystem::path. Each
// system has its own lossless road between them: the wide name on Windows (its
// 8-bit form is the ANSI code page, which loses every character outside it),
// the file system's bytes on POSIX.

#include <QString>
#include <filesystem>
#include <string>

namespace pointilla::platform {

std::filesystem::path pathFromQString(const QString& fileName);
QString qstringFromPath(const std::filesystem::path& path);

// The name as the text that the document opener takes: UTF-8 on Windows, the
// file system's bytes unchanged on POSIX.
std::string textFromPath(const std::filesystem::path& path);

}  // namespace pointilla::platform
