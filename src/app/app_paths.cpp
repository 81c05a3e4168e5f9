#include "app/app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace quillon {

AppPaths AppPaths::current() {
    return {QCoreApplication::applicationFilePath()};
}

QString AppPaths::folder() const {
    return QDir::toNativeSeparators(QFileInfo(executable).absolutePath());
}

QString AppPaths::settingsFile() const {
    const QFileInfo info(executable);
    const QString base = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
    return QDir(info.absolutePath()).filePath(base + QStringLiteral(".ini"));
}

QString AppPaths::directoryListFile() const {
    return QDir(folder()).filePath(QStringLiteral("DirectoryList.txt"));
}

QString AppPaths::scratchFolder() const {
    return QDir(folder()).filePath(QStringLiteral("scratch"));
}

} // namespace quillon
