#include "dxf/file_bytes.h"

#include "dxf/read_only_file.h"
#include "dxf/record_memory.h"

#include <QFile>

namespace quillon {

namespace {

std::filesystem::path NativePath(const QString& fileName) {
#ifdef Q_OS_WIN
    return fileName.toStdWString();
#else
    return QFile::encodeName(fileName).toStdString();
#endif
}

} // namespace

bool FileBytes::read(const QString& fileName) {
    clear();
    const ReadOnlyFile file(NativePath(fileName));
    const int64_t size = file.isOpen() ? file.size() : -1;
    if (size <= 0) return size == 0;
    try {
        data_ = RecordAllocator<char>().allocate(size_t(size));
    } catch (const std::bad_alloc&) {
        return false;
    }
    capacity_ = size_t(size);
    // Should the file have become shorter meanwhile, the bytes end where the read ended.
    const int64_t got = file.readAt(data_, capacity_, 0);
    if (got < 0) {
        clear();
        return false;
    }
    size_ = size_t(got);
    return true;
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
