#include "thumbs/thumbnail_pool.h"

#include <QMetaObject>
#include <QPointer>

namespace quillon {

ThumbnailPool::ThumbnailPool(ThumbnailCache& cache, int threads, QObject* parent)
    : QObject(parent), cache_(cache), generation_(std::make_shared<std::atomic<uint64_t>>(0)) {
    if (threads > 0) pool_.setMaxThreadCount(threads);
}

ThumbnailPool::~ThumbnailPool() {
    cancel();
    pool_.waitForDone();
}

void ThumbnailPool::cancel() {
    ++*generation_;
    pool_.clear(); // jobs not started yet
}

void ThumbnailPool::waitForDone() {
    pool_.waitForDone();
}

void ThumbnailPool::request(const QStringList& files, QSize size) {
    cancel();
    const uint64_t generation = *generation_;
    int priority = files.size();
    for (const QString& file : files) {
        const std::shared_ptr<std::atomic<uint64_t>> current = generation_;
        QPointer<ThumbnailPool> self(this);
        ThumbnailCache* cache = &cache_;
        pool_.start(
            [=] {
                if (*current != generation) return; // cancelled before it started
                QImage picture;
                if (!cache->find(file, size, picture)) {
                    picture = MakeThumbnail(file, size).picture;
                    cache->store(file, size, picture);
                }
                if (*current != generation) return;
                QMetaObject::invokeMethod(
                    self,
                    [=] {
                        // Checked again where it arrives: a request made meanwhile wins.
                        if (self && *current == generation) emit self->ready(file, picture);
                    },
                    Qt::QueuedConnection);
            },
            priority--); // the first files first
    }
}

} // namespace quillon
