#include "dxf/record_memory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace quillon {

void* AllocateLargeArray(size_t bytes) {
    // A large page more is mapped, then what lies outside a large page boundary is given back.
    const size_t mapped = bytes + kLargePage;
    void* m = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (m == MAP_FAILED) return nullptr;
    const auto start = uintptr_t(m), end = start + mapped;
    const uintptr_t from = (start + kLargePage - 1) & ~uintptr_t(kLargePage - 1), to = from + bytes;
    if (from > start) munmap(m, from - start);
    if (end > to) munmap(reinterpret_cast<void*>(to), end - to);
#ifdef MADV_HUGEPAGE
    madvise(reinterpret_cast<void*>(from), bytes, MADV_HUGEPAGE); // a hint: refused, no matter
#endif
    return reinterpret_cast<void*>(from);
}

void FreeLargeArray(void* p, size_t bytes) {
    munmap(p, bytes);
}

void ReleasePages(const char* p, size_t bytes) {
    const auto page = uintptr_t(sysconf(_SC_PAGESIZE));
    const uintptr_t from = uintptr_t(p) / page * page, to = (uintptr_t(p) + bytes) / page * page;
    if (to > from) madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
}

} // namespace quillon
