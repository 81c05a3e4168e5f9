// Work shared between two threads where it pays: large drawings on machines of two cores or more.
#pragma once

#include <cstddef>
#include <functional>

namespace quillon {

// From this many records a pass over a drawing's records is shared between two threads.
inline constexpr size_t kTwoThreadsFrom = 20000;

// True when `records` records reach `from` and the machine has a second core.
bool WorthASecondThread(size_t records, size_t from);

// Runs part(0) on this thread and part(1) on a second at once. An exception of either is thrown
// once both have ended.
void RunInTwo(const std::function<void(int)>& part);

} // namespace quillon
