// sources: src/dxf/record_memory_win.cpp
// The record arrays' memory as Windows gives it: zeroed, writable end to end, pages given back
// without touching their neighbours, and freed.
#include "dxf/record_memory.h"
#include "win/win_check.h"

#include <windows.h>

#include <cstdint>

using namespace quillon;

namespace {

bool AllEqual(const char* p, size_t from, size_t to, char byte) {
    for (size_t i = from; i < to; ++i)
        if (p[i] != byte) return false;
    return true;
}

bool IsFree(const void* p) {
    MEMORY_BASIC_INFORMATION m{};
    return VirtualQuery(p, &m, sizeof(m)) == sizeof(m) && m.State == MEM_FREE;
}

} // namespace

int main() {
    const size_t bytes = WholeLargePages(2 * kLargePage + 1);
    CHECK_EQ(bytes, 3 * kLargePage);
    auto* p = static_cast<char*>(AllocateLargeArray(bytes));
    CHECK(p != nullptr);
    if (!p) return WinCheckSummary();
    CHECK(AllEqual(p, 0, bytes, 0));
    for (size_t i = 0; i < bytes; ++i) p[i] = char(i % 251 + 1);
    bool kept = true;
    for (size_t i = 0; i < bytes; ++i) kept = kept && p[i] == char(i % 251 + 1);
    CHECK(kept);

    // The pages from the one holding p + 4106 to the last one wholly before p + 4106 + 2 MiB.
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const size_t page = system.dwPageSize, at = page + 10, from = page, to = from + kLargePage;
    ReleasePages(p + at, kLargePage);
    bool outside = true;
    for (size_t i = 0; i < bytes; ++i)
        if (i < from || i >= to) outside = outside && p[i] == char(i % 251 + 1);
    CHECK(outside);
    for (size_t i = from; i < to; ++i) p[i] = 7; // still the program's to write
    CHECK(AllEqual(p, from, to, 7));
    ReleasePages(p, 10); // less than a page: nothing to give back
    CHECK_EQ(p[0], char(1));

    FreeLargeArray(p, bytes);
    CHECK(IsFree(p));
    CHECK(IsFree(p + bytes - 1));

    CHECK(AllocateLargeArray(size_t(1) << 47) == nullptr); // more than the address space
    bool refused = false;
    try {
        RecordAllocator<double>().allocate(size_t(1) << 44);
    } catch (const std::bad_alloc&) {
        refused = true;
    }
    CHECK(refused);
    return WinCheckSummary();
}
