#include "dxf/name.h"

#include <QHashFunctions>

#include <mutex>
#include <unordered_set>

namespace quillon {

namespace {

// Every name met so far. Texts are never removed and the set's nodes never move, so pointers
// to them stay valid; drawings on other threads (thumbnails) add names too, hence the lock.
struct TextHash {
    size_t operator()(const QString& s) const { return qHash(s); }
};

struct NamePool {
    std::mutex lock;
    std::unordered_set<QString, TextHash> texts;
};

NamePool& Pool() {
    static NamePool* pool = new NamePool; // lives to the end: records point into it
    return *pool;
}

} // namespace

const QString& Name::Empty() {
    static const QString& empty = Intern(QString());
    return empty;
}

const QString& Name::Intern(const QString& text) {
    NamePool& p = Pool();
    const std::lock_guard guard(p.lock);
    return *p.texts.insert(text).first;
}

} // namespace quillon
