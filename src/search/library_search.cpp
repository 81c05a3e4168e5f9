#include "search/library_search.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <mutex>
#include <thread>

namespace quillon {

namespace fs = std::filesystem;

namespace {

// File names as the system gives them: bytes in the locale's encoding on POSIX, UTF-16 on Windows.
[[maybe_unused]] QString FromNative(const std::string& s) {
    return QFile::decodeName(QByteArray::fromStdString(s));
}
[[maybe_unused]] QString FromNative(const std::wstring& s) {
    return QString::fromStdWString(s);
}

// ".dwg" or ".dxf" in any case: 'w' or 'x' is returned, 0 for any other name.
char DrawingKind(const fs::path& name) {
    const auto& n = name.native();
    if (n.size() < 5) return 0;
    const auto lower = [&](size_t i) {
        const auto c = n[n.size() - 4 + i];
        return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : char(c);
    };
    if (lower(0) != '.' || lower(1) != 'd') return 0;
    if (lower(2) == 'w' && lower(3) == 'g') return 'w';
    if (lower(2) == 'x' && lower(3) == 'f') return 'x';
    return 0;
}

FileStamp StampOf(const fs::path& file) {
    std::error_code a, b;
    const auto size = fs::file_size(file, a);
    const auto modified = fs::last_write_time(file, b);
    if (a || b) return {};
    return {qint64(size), qint64(modified.time_since_epoch().count())};
}

class Search {
public:
    Search(const SearchRequest& r, const std::atomic_bool& cancel, const HitSink& found,
           const CountSink& progress)
        : r_(r), cancel_(cancel), found_(found), progress_(progress) {}

    SearchCounts run() {
        std::vector<std::thread> readers;
        if (r_.texts)
            for (int i = 0; i < std::max(1, r_.readers); ++i)
                readers.emplace_back([this] { readDrawings(); });
        for (const QString& root : DistinctRoots(r_.roots))
            if (!cancel_) walk(fs::path(QDir::toNativeSeparators(root).toStdU16String()));
        {
            std::lock_guard hold(lock_);
            walked_ = true;
        }
        wake_.notify_all();
        for (std::thread& t : readers) t.join();
        return counts_;
    }

private:
    void walk(const fs::path& root) {
        std::vector<fs::path> folders{root};
        while (!folders.empty() && !cancel_) {
            const fs::path folder = std::move(folders.back());
            folders.pop_back();
            std::vector<fs::path> subfolders, drawings;
            if (!list(folder, subfolders, drawings)) {
                count([](SearchCounts& c) { ++c.unreadable; });
                continue;
            }
            std::sort(drawings.begin(), drawings.end());
            for (const fs::path& file : drawings) {
                if (cancel_) return;
                lookAt(file);
            }
            std::sort(subfolders.rbegin(), subfolders.rend()); // popped in name order
            for (fs::path& f : subfolders) folders.push_back(std::move(f));
            count([](SearchCounts& c) { ++c.folders; });
        }
    }

    // The folder's subfolders and drawings; false when it cannot be read (to its end).
    bool list(const fs::path& folder, std::vector<fs::path>& subfolders,
              std::vector<fs::path>& drawings) {
        std::error_code ec;
        fs::directory_iterator it(folder, ec), end;
        for (; !ec && it != end && !cancel_; it.increment(ec)) {
            std::error_code typeError;
            fs::file_status s = it->symlink_status(typeError);
            if (fs::is_symlink(s)) {
                s = it->status(typeError); // a link to a drawing is followed, one to a folder not
                if (fs::is_directory(s)) continue;
            }
            if (typeError) continue;
            if (fs::is_directory(s))
                subfolders.push_back(it->path());
            else if (fs::is_regular_file(s) && DrawingKind(it->path().filename()))
                drawings.push_back(it->path());
        }
        return !ec;
    }

    void lookAt(const fs::path& file) {
        const QString name = FromNative(file.filename().native());
        const QString path = QDir::fromNativeSeparators(FromNative(file.native()));
        count([](SearchCounts& c) { ++c.files; });
        if (r_.query.matches(name)) return report({path, true, TextKind::Text, {}});
        if (!r_.texts || DrawingKind(file.filename()) != 'x') return;
        const FileStamp stamp = StampOf(file);
        if (const auto known = r_.index ? r_.index->find(path, stamp) : std::nullopt)
            return reportTexts(path, *known);
        {
            std::unique_lock hold(lock_);
            while (queue_.size() >= kQueued && !cancel_)
                roomy_.wait_for(hold, std::chrono::milliseconds(20)); // sees a cancel at once
            queue_.push_back({path, stamp});
        }
        wake_.notify_one();
    }

    void readDrawings() {
        for (;;) {
            std::pair<QString, FileStamp> next;
            {
                std::unique_lock hold(lock_);
                wake_.wait(hold, [this] { return !queue_.empty() || walked_; });
                if (queue_.empty() || cancel_) return;
                next = std::move(queue_.front());
                queue_.pop_front();
            }
            roomy_.notify_one();
            const DrawingTexts read = ReadDrawingTexts(next.first);
            reportTexts(next.first, r_.index ? r_.index->put(next.first, next.second, read)
                                             : Indexed(next.second, read));
        }
    }

    void reportTexts(const QString& path, const IndexedDrawing& d) {
        if (!d.readable) return count([](SearchCounts& c) { ++c.unreadable; });
        for (size_t i = 0; i < d.folded.size(); ++i)
            if (r_.query.matchesFolded(d.folded[i].text))
                return report({path, false, d.texts[i].kind, d.texts[i].text});
    }

    void report(const SearchHit& hit) {
        std::lock_guard hold(lock_);
        if (!cancel_) found_(hit);
    }

    template <class Change> void count(Change change) {
        std::lock_guard hold(lock_);
        change(counts_);
        if (progress_) progress_(counts_);
    }

    static constexpr size_t kQueued = 64; // drawings waiting for a reader: memory stays flat

    const SearchRequest& r_;
    const std::atomic_bool& cancel_;
    const HitSink& found_;
    const CountSink& progress_;
    std::mutex lock_;
    std::condition_variable wake_, roomy_;
    std::deque<std::pair<QString, FileStamp>> queue_;
    bool walked_ = false;
    SearchCounts counts_;
};

} // namespace

QStringList DistinctRoots(const QStringList& roots) {
    QStringList clean;
    for (const QString& r : roots)
        if (!r.isEmpty()) clean.append(QDir::cleanPath(QFileInfo(r).absoluteFilePath()));
    const auto within = [](const QString& inner, const QString& outer) {
        return inner == outer || inner.startsWith(outer.endsWith(u'/') ? outer : outer + u'/');
    };
    QStringList distinct;
    for (const QString& r : std::as_const(clean))
        if (std::none_of(clean.cbegin(), clean.cend(), [&](const QString& o) {
                return &o != &r && within(r, o) && (r != o || &o < &r);
            }))
            distinct.append(r);
    return distinct;
}

SearchCounts SearchLibrary(const SearchRequest& request, const std::atomic_bool& cancel,
                           const HitSink& found, const CountSink& progress) {
    return Search(request, cancel, found, progress).run();
}

} // namespace quillon
