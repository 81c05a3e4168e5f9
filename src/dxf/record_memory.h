// Memory for the record arrays. A large drawing's arrays run to tens of megabytes that are
// written once from end to end; large blocks are aligned so that the system can back them with
// large pages, which spares most of the page faults of touching them the first time.
#pragma once

#include <cstddef>
#include <new>
#include <vector>

namespace quillon {

// Tells the system that [p, p + bytes), whole large pages, is one large array written from end
// to end (one file per platform).
void AdviseLargeArray(void* p, size_t bytes);

// Tells the system that the pages of a file mapped for reading that lie wholly before p + bytes,
// from the one holding p, will not be read again: they leave the program's memory (the
// system's file cache keeps them; a page read again is mapped again). Never for other memory.
void ReleaseFilePages(const char* p, size_t bytes);

inline constexpr size_t kLargePage = size_t(2) << 20;

template <class T> struct RecordAllocator {
    using value_type = T;
    RecordAllocator() = default;
    template <class U> RecordAllocator(const RecordAllocator<U>&) {} // NOLINT: rebinding

    static bool large(size_t n) { return n * sizeof(T) >= kLargePage; }
    // A large array takes whole large pages: its last one, only partly filled, would otherwise
    // be touched small page by small page. A page never written costs nothing.
    static size_t largeBytes(size_t n) {
        return (n * sizeof(T) + kLargePage - 1) & ~(kLargePage - 1);
    }

    T* allocate(size_t n) {
        if (!large(n))
            return static_cast<T*>(::operator new(n * sizeof(T), std::align_val_t(alignof(T))));
        void* p = ::operator new(largeBytes(n), std::align_val_t(kLargePage));
        AdviseLargeArray(p, largeBytes(n));
        return static_cast<T*>(p);
    }
    void deallocate(T* p, size_t n) {
        ::operator delete(p,
                          large(n) ? std::align_val_t(kLargePage) : std::align_val_t(alignof(T)));
    }
    template <class U> bool operator==(const RecordAllocator<U>&) const { return true; }
};

template <class T> using RecordArray = std::vector<T, RecordAllocator<T>>;

} // namespace quillon
