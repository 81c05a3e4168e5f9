#include "app/paths.h"

#include <QDir>
#include <QStorageInfo>

namespace quillon {

void SplitFirstPathPart(QString& part, QString& path) {
    if (path.isEmpty()) {
        part.clear();
        return;
    }
    const qsizetype at = path.indexOf(QDir::separator());
    if (at < 0) {
        part = path;
        path.clear();
    } else {
        part = path.left(at);
        path = path.mid(at + 1);
    }
}

QString SelectedPathText(const QString& path) {
#ifdef Q_OS_WIN
    return path.toUpper();
#else
    return path;
#endif
}

QStringList AvailableDrives() {
    QStringList roots;
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
        if (v.isValid() && v.isReady()) roots << QDir::toNativeSeparators(v.rootPath());
    roots.removeDuplicates();
    roots.sort();
    const QString top = QDir::toNativeSeparators(QDir::rootPath());
    roots.removeAll(top);
    roots.prepend(top);
    return roots;
}

QString DriveOfPath(const QString& path, const QStringList& drives) {
    const QString p = CleanFolder(path);
    QString best = QDir::toNativeSeparators(QDir::rootPath());
    for (const QString& d : drives) {
        const QString root = CleanFolder(d);
        const bool inside =
            p == root ||
            p.startsWith(root.endsWith(QDir::separator()) ? root : root + QDir::separator());
        if (inside && root.size() > best.size()) best = d;
    }
    return best;
}

QString CleanFolder(const QString& path) {
    return path.isEmpty() ? path : QDir::toNativeSeparators(QDir::cleanPath(path));
}

} // namespace quillon
