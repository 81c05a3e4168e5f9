#include "thumbs/thumbnail_cache.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace quillon {

ThumbnailCache::ThumbnailCache(QString folder, int memoryPictures)
    : folder_(std::move(folder)), memory_(memoryPictures) {}

QString ThumbnailCache::DefaultFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
        .filePath(QStringLiteral("thumbnails"));
}

QString ThumbnailCache::KeyOf(const QString& file, QSize size) {
    const QFileInfo info(file);
    const QString identity = info.absoluteFilePath() + u'|' + QString::number(info.size()) + u'|' +
                             QString::number(info.lastModified().toMSecsSinceEpoch()) + u'|' +
                             QString::number(size.width()) + u'x' + QString::number(size.height());
    return QString::fromLatin1(
        QCryptographicHash::hash(identity.toUtf8(), QCryptographicHash::Sha1).toHex());
}

bool ThumbnailCache::find(const QString& file, QSize size, QImage& picture) {
    const QString key = KeyOf(file, size);
    {
        const QMutexLocker lock(&mutex_);
        if (const QImage* kept = memory_.object(key)) {
            picture = *kept;
            return true;
        }
    }
    if (folder_.isEmpty()) return false;
    QImage stored;
    if (!stored.load(QDir(folder_).filePath(key + QStringLiteral(".png")), "PNG") ||
        stored.size() != size)
        return false;
    picture = stored.convertToFormat(QImage::Format_RGB32);
    const QMutexLocker lock(&mutex_);
    memory_.insert(key, new QImage(picture));
    return true;
}

void ThumbnailCache::store(const QString& file, QSize size, const QImage& picture) {
    const QString key = KeyOf(file, size);
    {
        const QMutexLocker lock(&mutex_);
        memory_.insert(key, new QImage(picture));
    }
    if (folder_.isEmpty() || !QDir().mkpath(folder_)) return;
    QSaveFile out(QDir(folder_).filePath(key + QStringLiteral(".png")));
    if (out.open(QIODevice::WriteOnly) && picture.save(&out, "PNG", 90))
        out.commit();
    else
        out.cancelWriting(); // a full or read-only disk only costs speed
}

void ThumbnailCache::clear() {
    {
        const QMutexLocker lock(&mutex_);
        memory_.clear();
    }
    if (!folder_.isEmpty()) QDir(folder_).removeRecursively();
}

} // namespace quillon
