#include "search/text_index.h"

#include "search/search_query.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstring>

namespace quillon {

namespace {

constexpr char kMagic[8] = {'Q', 'L', 'T', 'X', 'T', '0', '1', '\n'};
constexpr quint32 kMostTexts = 10'000'000;

// Reads the file's fields in order; any field past the end, or a count no file could hold, ends
// the read as damaged.
class Fields {
public:
    Fields(const QByteArray& bytes, qsizetype from)
        : p_(bytes.constData() + from), end_(bytes.constData() + bytes.size()) {}
    bool ok() const { return ok_; }
    bool atEnd() const { return p_ == end_; }
    template <class T> T number() {
        T v{};
        if (end_ - p_ < qsizetype(sizeof v)) return fail(), v;
        std::memcpy(&v, p_, sizeof v);
        p_ += sizeof v;
        return v;
    }
    QString text() {
        const quint32 n = number<quint32>();
        if (!ok_ || quint64(end_ - p_) < n) return fail(), QString();
        const QString s = QString::fromUtf8(p_, qsizetype(n));
        p_ += n;
        return s;
    }
    void fail() {
        ok_ = false;
        p_ = end_;
    }

private:
    const char* p_;
    const char* end_;
    bool ok_ = true;
};

template <class T> void Put(QByteArray& out, T v) {
    out.append(reinterpret_cast<const char*>(&v), sizeof v);
}

void PutText(QByteArray& out, const QString& s) {
    const QByteArray utf8 = s.toUtf8();
    Put(out, quint32(utf8.size()));
    out.append(utf8);
}

std::vector<DrawingText> Folded(const std::vector<DrawingText>& texts) {
    std::vector<DrawingText> folded;
    folded.reserve(texts.size());
    for (const DrawingText& t : texts) folded.push_back({t.kind, FoldForMatch(t.text)});
    return folded;
}

} // namespace

TextIndex::TextIndex(QString file) : file_(std::move(file)) {
    load();
}

void TextIndex::load() {
    QFile f(file_);
    if (file_.isEmpty() || !f.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = f.readAll();
    if (!bytes.startsWith(QByteArray(kMagic, sizeof kMagic))) return;
    Fields in(bytes, sizeof kMagic);
    while (in.ok() && !in.atEnd()) {
        const QString path = in.text();
        IndexedDrawing e;
        e.stamp.size = in.number<qint64>();
        e.stamp.modified = in.number<qint64>();
        e.readable = in.number<quint8>() != 0;
        const quint32 count = in.number<quint32>();
        if (count > kMostTexts) in.fail();
        for (quint32 i = 0; in.ok() && i < count; ++i) {
            const auto kind = TextKind(in.number<quint8>());
            if (kind > TextKind::Block) in.fail();
            e.texts.push_back({kind, in.text()});
        }
        if (in.ok()) {
            e.folded = Folded(e.texts);
            entries_[path] = std::move(e);
        }
    }
    if (!in.ok()) entries_.clear();
}

IndexedDrawing Indexed(FileStamp stamp, const DrawingTexts& read) {
    return {stamp, read.readable, read.texts, Folded(read.texts)};
}

std::optional<IndexedDrawing> TextIndex::find(const QString& path, FileStamp stamp) const {
    std::lock_guard hold(lock_);
    const auto it = entries_.find(path);
    if (it == entries_.end() || it->second.stamp != stamp) return std::nullopt;
    return it->second;
}

IndexedDrawing TextIndex::put(const QString& path, FileStamp stamp, const DrawingTexts& read) {
    IndexedDrawing e = Indexed(stamp, read);
    std::lock_guard hold(lock_);
    changed_ = true;
    entries_[path] = e;
    return e;
}

bool TextIndex::save() {
    std::lock_guard hold(lock_);
    if (!changed_ || file_.isEmpty()) return true;
    std::erase_if(entries_, [](const auto& e) { return !QFileInfo::exists(e.first); });
    QByteArray out(kMagic, sizeof kMagic);
    for (const auto& [path, e] : entries_) {
        PutText(out, path);
        Put(out, qint64(e.stamp.size));
        Put(out, qint64(e.stamp.modified));
        Put(out, quint8(e.readable));
        Put(out, quint32(e.texts.size()));
        for (const DrawingText& t : e.texts) {
            Put(out, quint8(t.kind));
            PutText(out, t.text);
        }
    }
    QDir().mkpath(QFileInfo(file_).absolutePath());
    QSaveFile f(file_);
    if (!f.open(QIODevice::WriteOnly) || f.write(out) != out.size() || !f.commit()) return false;
    changed_ = false;
    return true;
}

QString TextIndexBeside(const QString& thumbnailFolder) {
    return QDir::cleanPath(thumbnailFolder + QStringLiteral("/../texts.idx"));
}

} // namespace quillon
