#include "app/app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace quillon {

namespace {

const QString kDirectoryList = QStringLiteral("DirectoryList.txt");

QString SettingsFileName(const QString& executable) {
    const QFileInfo info(executable);
    return (info.suffix().isEmpty() ? info.fileName() : info.completeBaseName()) +
           QStringLiteral(".ini");
}

// Whether a file can be made in the folder: tried, since permissions (an installed program's
// folder on Windows, a read-only volume) do not show in the folder's attributes.
bool CanWriteIn(const QString& folder) {
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".quillon-XXXXXX")));
    return probe.open();
}

} // namespace

AppPaths AppPaths::current() {
    return decide(QCoreApplication::applicationFilePath(),
                  QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
                  QStandardPaths::writableLocation(QStandardPaths::CacheLocation));
}

AppPaths AppPaths::decide(const QString& executable, const QString& userConfig,
                          const QString& userCache) {
    AppPaths paths{executable};
    const bool writable = CanWriteIn(paths.folder());
    if (!writable) paths.cacheFolder = userCache;
    const QStringList names{SettingsFileName(executable), kDirectoryList};
    const QDir user(userConfig), beside(paths.folder());
    const bool kept = !userConfig.isEmpty() && (user.exists(names[0]) || user.exists(names[1]));
    if (userConfig.isEmpty() || (writable && !kept)) return paths;
    paths.configFolder = userConfig;
    QDir().mkpath(userConfig);
    for (const QString& name : names)
        if (!user.exists(name) && beside.exists(name))
            QFile::copy(beside.filePath(name), user.filePath(name));
    return paths;
}

QString AppPaths::folder() const {
    return QDir::toNativeSeparators(QFileInfo(executable).absolutePath());
}

QString AppPaths::settingsFile() const {
    return QDir(configFolder.isEmpty() ? folder() : configFolder)
        .filePath(SettingsFileName(executable));
}

QString AppPaths::directoryListFile() const {
    return QDir(configFolder.isEmpty() ? folder() : configFolder).filePath(kDirectoryList);
}

QString AppPaths::scratchFolder() const {
    return QDir(cacheFolder.isEmpty() ? folder() : cacheFolder).filePath(QStringLiteral("scratch"));
}

} // namespace quillon
