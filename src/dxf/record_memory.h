// Memory for the record arrays. A large drawing's arrays run to tens of megabytes that are
// written once from end to end; they are taken straight from the system in whole large pages,
// so that it can back them with large pages, which spares most of the page faults of touching
// them the first time.
#pragma once

#include <cstddef>
#include <new>
#include <vector>

namespace quillon {

inline constexpr size_t kLargePage = size_t(2) << 20;

// Memory for one large array of `bytes`, whole large pages, aligned to a large page where the
// system allows, marked as one array written from end to end; null when the system has none.
// Freed by FreeLargeArray with the same size (one file per platform).
void* AllocateLargeArray(size_t bytes);
void FreeLargeArray(void* p, size_t bytes);

// From half a large page up an array takes whole large pages: touching one large page costs
// less than the faults of the small pages it holds, and a page never written costs nothing.
inline bool TakesLargePages(size_t bytes) {
    return bytes >= kLargePage / 2;
}

// `bytes` made whole large pages.
inline size_t WholeLargePages(size_t bytes) {
    return (bytes + kLargePage - 1) & ~(kLargePage - 1);
}

// Tells the system that the pages of a large array (AllocateLargeArray) that lie wholly before
// p + bytes, from the one holding p, will not be read again: they leave the program's memory and
// their bytes are lost.
void ReleasePages(const char* p, size_t bytes);

template <class T> struct RecordAllocator {
    using value_type = T;
    RecordAllocator() = default;
    template <class U> RecordAllocator(const RecordAllocator<U>&) {} // NOLINT: rebinding

    static bool large(size_t n) { return TakesLargePages(n * sizeof(T)); }
    static size_t largeBytes(size_t n) { return WholeLargePages(n * sizeof(T)); }

    T* allocate(size_t n) {
        if (!large(n))
            return static_cast<T*>(::operator new(n * sizeof(T), std::align_val_t(alignof(T))));
        if (void* p = AllocateLargeArray(largeBytes(n))) return static_cast<T*>(p);
        throw std::bad_alloc();
    }
    void deallocate(T* p, size_t n) {
        if (large(n))
            FreeLargeArray(p, largeBytes(n));
        else
            ::operator delete(p, std::align_val_t(alignof(T)));
    }
    template <class U> bool operator==(const RecordAllocator<U>&) const { return true; }
};

template <class T> using RecordArray = std::vector<T, RecordAllocator<T>>;

} // namespace quillon
