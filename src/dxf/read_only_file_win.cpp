#include "dxf/read_only_file.h"

#include <windows.h>

#include <algorithm>

namespace quillon {

namespace {

// Another program opened the file sharing no reading, or locked the bytes asked for.
bool HeldByAnother(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

} // namespace

// Shared for writing and deleting too, so that a program saving the file is never kept from it.
ReadOnlyFile::ReadOnlyFile(const std::filesystem::path& path)
    : handle_(intptr_t(CreateFileW(path.c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr))),
      access_(HANDLE(handle_) != INVALID_HANDLE_VALUE ? FileAccess::opened
              : HeldByAnother(GetLastError())         ? FileAccess::busy
                                                      : FileAccess::failed) {}

ReadOnlyFile::~ReadOnlyFile() {
    if (isOpen()) CloseHandle(HANDLE(handle_));
}

int64_t ReadOnlyFile::size() const {
    LARGE_INTEGER s;
    return GetFileSizeEx(HANDLE(handle_), &s) ? int64_t(s.QuadPart) : -1;
}

// Each read names its offset: reads of several threads share no file position.
int64_t ReadOnlyFile::readAt(char* to, size_t count, int64_t at) const {
    size_t done = 0;
    while (done < count) {
        const uint64_t from = uint64_t(at) + done;
        OVERLAPPED where{};
        where.Offset = DWORD(from & 0xFFFFFFFFu);
        where.OffsetHigh = DWORD(from >> 32);
        const DWORD want = DWORD(std::min<size_t>(count - done, size_t(1) << 30));
        DWORD n = 0;
        if (!ReadFile(HANDLE(handle_), to + done, want, &n, &where)) {
            const DWORD error = GetLastError();
            return error == ERROR_HANDLE_EOF ? int64_t(done) : HeldByAnother(error) ? kBusy : -1;
        }
        if (n == 0) break;
        done += n;
    }
    return int64_t(done);
}

} // namespace quillon
