// Work shared between two threads where it pays: large drawings on machines of two cores or more.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace quillon {

// How a pass over a drawing shares its work: from `from` units of it (records; bytes for the
// reader) two threads take a part each, on a machine with a second core. The result is the same
// either way; tests compare never() with always().
struct TwoThreads {
    size_t from = 20000;

    bool worth(size_t work) const;
    static constexpr TwoThreads never() { return {SIZE_MAX}; }
    static constexpr TwoThreads always() { return {0}; }
};

// Runs part(0) on this thread and part(1) on a second at once. An exception of either is thrown
// once both have ended.
void RunInTwo(const std::function<void(int)>& part);

} // namespace quillon
