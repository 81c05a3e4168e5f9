#include "dxf/read_only_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace quillon {

ReadOnlyFile::ReadOnlyFile(const std::filesystem::path& path)
    : handle_(open(path.c_str(), O_RDONLY | O_CLOEXEC)),
      access_(handle_ >= 0 ? FileAccess::opened : FileAccess::failed) {}

ReadOnlyFile::~ReadOnlyFile() {
    if (isOpen()) close(int(handle_));
}

int64_t ReadOnlyFile::size() const {
    struct stat s;
    return fstat(int(handle_), &s) == 0 ? int64_t(s.st_size) : -1;
}

int64_t ReadOnlyFile::readAt(char* to, size_t count, int64_t at) const {
    size_t done = 0;
    while (done < count) {
        const ssize_t n = pread(int(handle_), to + done, count - done, off_t(at + int64_t(done)));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        done += size_t(n);
    }
    return int64_t(done);
}

} // namespace quillon
