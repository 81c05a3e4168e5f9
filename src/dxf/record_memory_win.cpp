#include "dxf/record_memory.h"

namespace quillon {

// Large pages need a privilege that a user's program does not have: nothing to advise.
void AdviseLargeArray(void*, size_t) {}

} // namespace quillon
