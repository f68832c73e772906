#pragma once
// Paths between Qt and the standard library, in the file system's own encoding.

#include <QFile>
#include <QString>
#include <filesystem>

namespace pennory::platform::qt {

inline std::filesystem::path toPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

inline QString fromPath(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

}  // namespace pennory::platform::qt
