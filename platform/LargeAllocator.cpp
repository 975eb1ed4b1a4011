#include "platform/LargeAllocator.h"

#include <sys/mman.h>

namespace k2k {

namespace {

constexpr std::size_t kHugePage = 2 << 20;

} // namespace

void* AllocateLarge(std::size_t bytes) {
    if (bytes < kHugePage)
        return ::operator new(bytes);
    void* map = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (map == MAP_FAILED)
        throw std::bad_alloc();
    ::madvise(map, bytes, MADV_HUGEPAGE);
    return map;
}

void FreeLarge(void* memory, std::size_t bytes) noexcept {
    if (bytes < kHugePage)
        ::operator delete(memory);
    else
        ::munmap(memory, bytes);
}

} // namespace k2k
