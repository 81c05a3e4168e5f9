// Thumbnails made on a pool of worker threads: the files asked for first are made first, results
// come back to the asking thread as signals, and a new request (another folder) cancels what is
// still outstanding: no picture of an earlier request arrives after it.
#pragma once

#include "thumbs/thumbnail_cache.h"
#include "thumbs/thumbnail_maker.h"

#include <QObject>
#include <QStringList>
#include <QThreadPool>
#include <atomic>
#include <memory>

namespace quillon {

class ThumbnailPool : public QObject {
    Q_OBJECT
public:
    ThumbnailPool(ThumbnailCache& cache, int threads = 0, QObject* parent = nullptr);
    ~ThumbnailPool() override;

    // Pictures of the files, in this order; cancels every earlier request.
    void request(const QStringList& files, QSize size);
    void cancel();
    // Waits until every started job has ended (for tests and tools).
    void waitForDone();

signals:
    void ready(const QString& file, const QImage& picture);

private:
    ThumbnailCache& cache_;
    QThreadPool pool_;
    std::shared_ptr<std::atomic<uint64_t>> generation_;
};

} // namespace quillon
