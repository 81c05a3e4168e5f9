// quillon-cli thumbnails FOLDER -o OUTDIR [--size WxH] [--jobs N] [--no-cache]: the file list's
// thumbnails of a folder's drawings as PNG files named after them, and one JSON line per file
// (file, kind, status, milliseconds).
#include "dxf/file_kind.h"
#include "png_output.h"
#include "thumbs/thumbnail_cache.h"
#include "thumbs/thumbnail_maker.h"
#include "verbs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QMutex>
#include <QtConcurrent>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

namespace quillon::cli {

namespace {

struct ThumbnailsArgs {
    std::string folder, out, size = "128x96";
    int jobs = 0;
    bool noCache = false;
};

int RunThumbnails(const ThumbnailsArgs& a) {
    const std::optional<QSize> size = ParseSize(a.size);
    if (!size)
        return Fail(kUsage, "--size must be WxH with sides from 1 to " + std::to_string(kMaxSide));
    if (a.jobs < 0) return Fail(kUsage, "--jobs must be 0 (all cores) or more");
    const QDir folder(QString::fromStdString(a.folder));
    if (!folder.exists() || !folder.isReadable())
        return Fail(kMissing, a.folder + ": no such readable folder");
    const QDir out(QString::fromStdString(a.out));
    if (!QDir().mkpath(out.path())) return Fail(kMissing, a.out + ": cannot make the folder");
    const QStringList names = folder.entryList({QStringLiteral("*.dxf"), QStringLiteral("*.dwg")},
                                               QDir::Files, QDir::Name | QDir::IgnoreCase);
    ThumbnailCache cache(a.noCache ? QString() : ThumbnailCache::DefaultFolder());
    QThreadPool pool;
    if (a.jobs > 0) pool.setMaxThreadCount(a.jobs);
    QMutex printing;
    bool written = true;
    QtConcurrent::blockingMap(&pool, names, [&](const QString& name) {
        QElapsedTimer clock;
        clock.start();
        const QString file = folder.filePath(name);
        QImage picture;
        const char* status = "cached";
        const char* kind = FileKindOf(name) == FileKind::Dwg ? "dwg" : "dxf";
        if (!cache.find(file, *size, picture)) {
            const Thumbnail t = MakeThumbnail(file, *size);
            picture = t.picture;
            status = t.drawn ? "drawn" : "crossed";
            cache.store(file, *size, picture);
        }
        const bool saved = WritePng(picture, out.filePath(name + QStringLiteral(".png")));
        const nlohmann::json line = {{"file", file.toStdString()},
                                     {"kind", kind},
                                     {"status", saved ? status : "unwritten"},
                                     {"ms", double(clock.nsecsElapsed()) / 1e6}};
        const QMutexLocker lock(&printing);
        written = written && saved;
        std::cout << line.dump() << '\n';
    });
    return written ? kDrawn : Fail(kMissing, a.out + ": some pictures could not be written");
}

} // namespace

Verb AddThumbnailsVerb(CLI::App& cli) {
    auto args = std::make_shared<ThumbnailsArgs>();
    CLI::App* c =
        cli.add_subcommand("thumbnails", "The file list's thumbnails of a folder as PNG files");
    c->add_option("FOLDER", args->folder, "folder of DXF and DWG drawings")->required();
    c->add_option("-o,--output", args->out, "folder for the PNG files")->required();
    c->add_option("--size", args->size, "picture size WxH (default 128x96)");
    c->add_option("--jobs", args->jobs, "worker threads (default: all cores)");
    c->add_flag("--no-cache", args->noCache, "draw every picture again, and keep none");
    return {c, [args] { return RunThumbnails(*args); }};
}

} // namespace quillon::cli
