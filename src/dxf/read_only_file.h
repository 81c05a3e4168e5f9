// A file opened for reading at given offsets, by several threads at once, and shared with other
// programs: they may write, shorten or replace it meanwhile (one file per platform).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace quillon {

class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::filesystem::path& path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    bool isOpen() const;
    // The file's size now; -1 when it cannot be told.
    int64_t size() const;
    // Reads up to `count` bytes from `at` into `to`: how many were read, fewer only where the file
    // ends; -1 when the system fails to read.
    int64_t readAt(char* to, size_t count, int64_t at) const;

private:
    intptr_t handle_;
};

} // namespace quillon
