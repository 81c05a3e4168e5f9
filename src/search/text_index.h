// The texts of drawings already read, kept between searches in one file of our own: an entry per
// drawing, keyed by its path, size and modification time, so that a search over the same library
// reads no drawing again and a changed drawing is read again. The whole file is read at the start
// and written at the end in one go, which is what a search needs: one sequential read, no queries.
// The words are kept also in their folded form, so a search compares without folding again.
#pragma once

#include "search/drawing_texts.h"

#include <QHashFunctions> // std::hash of QString
#include <QString>
#include <mutex>
#include <optional>
#include <unordered_map>

namespace quillon {

struct FileStamp {
    qint64 size = -1, modified = 0; // bytes; nanoseconds of the file's own clock
    bool operator==(const FileStamp&) const = default;
};

struct IndexedDrawing {
    FileStamp stamp;
    bool readable = false;
    std::vector<DrawingText> texts, folded; // folded[i] is texts[i] in FoldForMatch's form
};

IndexedDrawing Indexed(FileStamp stamp, const DrawingTexts& read);

class TextIndex {
public:
    // A file that is missing, of another format or damaged gives an empty index.
    explicit TextIndex(QString file = {});
    // The drawing's entry when it is stored with this stamp. Both are safe from any thread, also
    // from two searches at once: each hands out its own copy (the texts themselves are shared).
    std::optional<IndexedDrawing> find(const QString& path, FileStamp stamp) const;
    IndexedDrawing put(const QString& path, FileStamp stamp, const DrawingTexts& read);
    // Writes the index when it changed, without the drawings that are gone; false when it could
    // not be written (that only costs speed).
    bool save();
    size_t size() const { return entries_.size(); }

private:
    void load();
    QString file_;
    std::unordered_map<QString, IndexedDrawing> entries_;
    mutable std::mutex lock_;
    bool changed_ = false;
};

// The index file beside the thumbnails' cache folder.
QString TextIndexBeside(const QString& thumbnailFolder);

} // namespace quillon
