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
    if (to > from) DiscardVirtualMemory(reinterpret_cast<void*>(from), to - from);
}

} // namespace quillon
