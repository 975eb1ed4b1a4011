#pragma once
// Memory for what may grow to many megabytes (the result lists of a search, the buffer a
// library is read into): large allocations come from the system as huge pages where it
// has them, which fresh memory is filled many times faster in than in small pages; small
// ones come from the usual heap.

#include <cstddef>
#include <new>

namespace k2k {

void* AllocateLarge(std::size_t bytes);
// The bytes an allocation of this size may use: a mapped one is rounded up to whole huge
// pages, which are in memory as a whole once touched.
std::size_t LargeSize(std::size_t bytes) noexcept;
void FreeLarge(void* memory, std::size_t bytes) noexcept;

template <class T>
struct LargeAllocator {
    using value_type = T;
    LargeAllocator() = default;
    template <class U>
    LargeAllocator(const LargeAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) { return static_cast<T*>(AllocateLarge(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { FreeLarge(p, n * sizeof(T)); }
    template <class U>
    bool operator==(const LargeAllocator<U>&) const noexcept {
        return true;
    }
};

} // namespace k2k
