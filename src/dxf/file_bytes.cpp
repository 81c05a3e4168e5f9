#include "dxf/file_bytes.h"

#include "dxf/record_memory.h"
#include "dxf/two_threads.h"

#include <QFile>

namespace quillon {

namespace {

// From this size a file's bytes are copied by two threads.
constexpr size_t kCopyInTwoFrom = size_t(4) << 20;

std::filesystem::path NativePath(const QString& fileName) {
#ifdef Q_OS_WIN
    return fileName.toStdWString();
#else
    return QFile::encodeName(fileName).toStdString();
#endif
}

} // namespace

bool FileIsBusy(const QString& fileName) {
    return ReadOnlyFile(NativePath(fileName)).access() == FileAccess::busy;
}

FileAccess FileBytes::read(const QString& fileName) {
    clear();
    const ReadOnlyFile file(NativePath(fileName));
    if (!file.isOpen()) return file.access();
    const int64_t size = file.size();
    if (size <= 0) return size == 0 ? FileAccess::opened : FileAccess::failed;
    try {
        data_ = RecordAllocator<char>().allocate(size_t(size));
    } catch (const std::bad_alloc&) {
        return FileAccess::failed;
    }
    capacity_ = size_t(size);
    // A large file is copied in two halves at once: one thread alone does not reach the memory's
    // speed. Should the file have become shorter meanwhile, the bytes end where the first half's
    // read ended, if it ended short.
    const size_t half = TwoThreads{kCopyInTwoFrom}.worth(capacity_) ? capacity_ / 2 : capacity_;
    int64_t got[2] = {0, 0};
    const auto part = [&](int k) {
        const size_t from = k == 0 ? 0 : half, to = k == 0 ? half : capacity_;
        got[k] = file.readAt(data_ + from, to - from, int64_t(from));
    };
    if (half < capacity_)
        RunInTwo(part);
    else
        part(0);
    if (got[0] < 0 || got[1] < 0) {
        clear();
        return got[0] == ReadOnlyFile::kBusy || got[1] == ReadOnlyFile::kBusy ? FileAccess::busy
                                                                              : FileAccess::failed;
    }
    size_ = size_t(got[0]) < half ? size_t(got[0]) : half + size_t(got[1]);
    return FileAccess::opened;
}

void FileBytes::release(size_t from, size_t to) const {
    if (RecordAllocator<char>::large(capacity_)) ReleasePages(data_ + from, to - from);
}

void FileBytes::clear() {
    if (data_) RecordAllocator<char>().deallocate(data_, capacity_);
    data_ = nullptr;
    size_ = capacity_ = 0;
}

} // namespace quillon
