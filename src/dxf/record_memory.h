// Memory for the record arrays. A large drawing's arrays run to tens of megabytes that are
// written once from end to end; large blocks are aligned so that the system can back them with
// large pages, which spares most of the page faults of touching them the first time.
#pragma once

#include <cstddef>
#include <new>
#include <vector>

namespace quillon {

// Tells the system that [p, p + bytes) is one large array written from end to end (one file
// per platform).
void AdviseLargeArray(void* p, size_t bytes);

inline constexpr size_t kLargePage = size_t(2) << 20;

template <class T> struct RecordAllocator {
    using value_type = T;
    RecordAllocator() = default;
    template <class U> RecordAllocator(const RecordAllocator<U>&) {} // NOLINT: rebinding

    static bool large(size_t n) { return n * sizeof(T) >= 2 * kLargePage; }

    T* allocate(size_t n) {
        if (!large(n))
            return static_cast<T*>(::operator new(n * sizeof(T), std::align_val_t(alignof(T))));
        void* p = ::operator new(n * sizeof(T), std::align_val_t(kLargePage));
        AdviseLargeArray(p, n * sizeof(T));
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
