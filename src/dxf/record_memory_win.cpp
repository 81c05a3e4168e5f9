#include "dxf/record_memory.h"

#include <windows.h>

namespace quillon {

// Large pages need a privilege that a user's program does not have: the system's own pages,
// committed at once and backed when first touched.
void* AllocateLargeArray(size_t bytes) {
    return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void FreeLargeArray(void* p, size_t) {
    VirtualFree(p, 0, MEM_RELEASE);
}

// The system trims a process's working set of mapped file pages by itself.
void ReleaseFilePages(const char*, size_t) {}

} // namespace quillon
