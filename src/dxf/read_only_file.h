// A file opened for reading at given offsets, by several threads at once, and shared with other
// programs: they may write, shorten or replace it meanwhile (one file per platform).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace quillon {

// How an attempt to get at a file's bytes went: got them, kept from them by another program that
// holds the file without sharing its reading (a later attempt may succeed), or failed otherwise.
enum class FileAccess { opened, busy, failed };

class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::filesystem::path& path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // How the opening went. POSIX has no mandatory sharing: there a file is never busy.
    FileAccess access() const { return access_; }
    bool isOpen() const { return access_ == FileAccess::opened; }
    // The file's size now; -1 when it cannot be told.
    int64_t size() const;
    // What readAt returns when another program has locked the bytes against reading.
    static constexpr int64_t kBusy = -2;
    // Reads up to `count` bytes from `at` into `to`: how many were read, fewer only where the file
    // ends; kBusy when locked by another program, -1 when the system fails to read otherwise.
    int64_t readAt(char* to, size_t count, int64_t at) const;

private:
    intptr_t handle_;
    FileAccess access_;
};

} // namespace quillon
