// The file list's grid of thumbnails in the real window: how long a folder takes cold (nothing
// cached) and warm (from the disk cache), and the longest gap between two turns of the event loop
// while the pictures arrive. Prints figures; never fails.
//   bench_thumbnails FOLDER
#include "app/file_list_box.h"
#include "app/main_window.h"
#include "app/user_prompts.h"
#include "thumbs/thumbnail_cache.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

namespace {

struct Figures {
    double firstScreenMs = -1, allMs = 0, longestStallMs = 0;
};

// Opens the window on the folder with the grid on and runs the event loop until every picture
// has arrived.
Figures Run(const QString& folder, const QString& program) {
    quillon::DialogPrompts prompts;
    QFile ini(program + QStringLiteral(".ini"));
    if (ini.open(QIODevice::WriteOnly))
        ini.write("[View]\nThumbnails=1\n[DirectoryList]\nDirectory=" + folder.toUtf8() + "\n");
    ini.close();
    QElapsedTimer clock;
    clock.start();
    quillon::TForm2 w(quillon::AppPaths{program}, prompts);
    w.show();
    Figures f;
    int arrived = 0;
    const int total = w.FileListBox1->count();
    QObject::connect(&w.thumbnailPool(), &quillon::ThumbnailPool::ready, [&] { ++arrived; });
    qint64 last = clock.elapsed();
    while (arrived < total && clock.elapsed() < 60000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const qint64 now = clock.elapsed();
        f.longestStallMs = std::max(f.longestStallMs, double(now - last));
        last = now;
        if (f.firstScreenMs < 0 && arrived >= std::min(total, 20)) f.firstScreenMs = double(now);
        QThread::usleep(200);
    }
    f.allMs = double(clock.elapsed());
    std::printf("  %d drawings\n", total);
    return f;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::printf("usage: bench_thumbnails FOLDER\n");
        return 0;
    }
    QStandardPaths::setTestModeEnabled(true); // a cache of its own
    quillon::ThumbnailCache(quillon::ThumbnailCache::DefaultFolder()).clear();
    QTemporaryDir programDir;
    const QString program = programDir.filePath(QStringLiteral("quillon"));
    std::printf("thumbnails of %s on %d cores\n", argv[1], QThread::idealThreadCount());
    for (const char* run : {"cold", "warm"}) {
        const Figures f = Run(QDir(QString::fromLocal8Bit(argv[1])).absolutePath(), program);
        std::printf("  %s: first screenful %.0f ms, all %.0f ms, longest event-loop gap %.0f ms\n",
                    run, f.firstScreenMs, f.allMs, f.longestStallMs);
    }
    return 0;
}
