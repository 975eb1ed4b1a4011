#include "system/LargeAllocator.h"

#include <sys/mman.h>

namespace k2k {

namespace {

constexpr std::size_t kHugePage = 2 << 20;
// From this size on, a block is mapped whole in huge pages: a few hundred kilobytes in small
// pages cost a fault each, and on a virtual machine a fault costs more than filling the
// rest of a huge page.
constexpr std::size_t kMappedFrom = 256 << 10;

std::size_t MappedSize(std::size_t bytes) noexcept {
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

} // namespace

std::size_t LargeSize(std::size_t bytes) noexcept {
    return bytes < kMappedFrom ? bytes : MappedSize(bytes);
}

void* AllocateLarge(std::size_t bytes) {
    if (bytes < kMappedFrom)
        return ::operator new(bytes);
    const std::size_t size = MappedSize(bytes);
    void* map = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (map == MAP_FAILED)
        throw std::bad_alloc();
    ::madvise(map, size, MADV_HUGEPAGE);
    return map;
}

void FreeLarge(void* memory, std::size_t bytes) noexcept {
    if (bytes < kMappedFrom)
        ::operator delete(memory);
    else
        ::munmap(memory, MappedSize(bytes));
}

} // namespace k2k
