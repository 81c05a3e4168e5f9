#include "dxf/record_memory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace quillon {

void AdviseLargeArray(void* p, size_t bytes) {
#ifdef MADV_HUGEPAGE
    madvise(p, bytes, MADV_HUGEPAGE); // a hint: refused, nothing changes
#else
    (void)p, (void)bytes;
#endif
}

void ReleaseFilePages(const char* p, size_t bytes) {
    const auto page = uintptr_t(sysconf(_SC_PAGESIZE));
    const uintptr_t from = uintptr_t(p) / page * page, to = (uintptr_t(p) + bytes) / page * page;
    if (to > from) madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
}

} // namespace quillon
