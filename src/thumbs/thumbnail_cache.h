// Thumbnails kept for the run (in memory, bounded) and between runs (PNG files in a cache
// folder), keyed by the file's path, size and modification time and the picture's size: a
// changed file misses and is drawn again. A cache that cannot be written only costs speed.
// Safe to use from several threads.
#pragma once

#include <QCache>
#include <QImage>
#include <QMutex>
#include <QString>

namespace quillon {

class ThumbnailCache {
public:
    // `folder` empty: memory only.
    explicit ThumbnailCache(QString folder, int memoryPictures = 2000);

    bool find(const QString& file, QSize size, QImage& picture);
    void store(const QString& file, QSize size, const QImage& picture);
    void clear(); // memory and disk

    // The user's cache folder for thumbnails.
    static QString DefaultFolder();

private:
    static QString KeyOf(const QString& file, QSize size);

    QString folder_;
    QMutex mutex_;
    QCache<QString, QImage> memory_;
};

} // namespace quillon
