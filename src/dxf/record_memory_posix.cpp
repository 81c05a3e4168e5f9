#include "dxf/record_memory.h"

#include <sys/mman.h>

namespace quillon {

void AdviseLargeArray(void* p, size_t bytes) {
#ifdef MADV_HUGEPAGE
    madvise(p, bytes - bytes % kLargePage, MADV_HUGEPAGE); // a hint: refused, nothing changes
#else
    (void)p, (void)bytes;
#endif
}

} // namespace quillon
