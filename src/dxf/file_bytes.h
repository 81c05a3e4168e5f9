// A file's bytes read into memory of the program's own, the file closed as soon as they are
// read: another program may then write, shorten or replace the file without touching them, and
// a file that changes during the read gives the bytes the reads returned, no more.
#pragma once

#include "dxf/read_only_file.h"

#include <QString>
#include <cstddef>

namespace quillon {

// Whether another program holds the file without sharing its reading now (never on POSIX).
bool FileIsBusy(const QString& fileName);

class FileBytes {
public:
    FileBytes() = default;
    ~FileBytes() { clear(); }
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    // Reads the file whole, a large one by two threads at once: opened when read, busy when
    // another program keeps it from being opened or read, failed otherwise (also when it is too
    // large for the memory).
    FileAccess read(const QString& fileName);
    const char* data() const { return data_; }
    size_t size() const { return size_; }
    // Gives the memory of the pages that lie wholly before `to`, from the one holding `from`,
    // back to the system: their bytes are lost.
    void release(size_t from, size_t to) const;
    void clear();

private:
    char* data_ = nullptr;
    size_t size_ = 0, capacity_ = 0;
};

} // namespace quillon
