#include "dxf/record_memory.h"

namespace quillon {

// Large pages need a privilege that a user's program does not have: nothing to advise.
void AdviseLargeArray(void*, size_t) {}

// The system trims a process's working set of mapped file pages by itself.
void ReleaseFilePages(const char*, size_t) {}

} // namespace quillon
