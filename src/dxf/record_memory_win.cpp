#include "dxf/record_memory.h"

#include <windows.h>

#include <cstdint>

namespace quillon {

// Large pages need a privilege that a user's program does not have: the system's own pages,
// committed at once and backed when first touched.
void* AllocateLargeArray(size_t bytes) {
    return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void FreeLargeArray(void* p, size_t) {
    VirtualFree(p, 0, MEM_RELEASE);
}

void ReleasePages(const char* p, size_t bytes) {
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const auto page = uintptr_t(system.dwPageSize);
    const uintptr_t from = uintptr_t(p) / page * page, to = (uintptr_t(p) + bytes) / page * page;
    if (to <= from) return;
    // Their bytes are no longer wanted, and the pages leave the working set. (The system's own
    // call for both, DiscardVirtualMemory, is missing from Wine: a program calling it ends.)
    void* const start = reinterpret_cast<void*>(from);
    VirtualAlloc(start, to - from, MEM_RESET, PAGE_READWRITE);
    VirtualUnlock(start, to - from); // fails, as pages that were not locked do, yet trims them
}

} // namespace quillon
