#pragma once
// A block of memory taken from the system with all its pages in place at once. Filling a
// large block page by page costs one trap into the system per page; a search that keeps
// hundreds of thousands of results fills tens of megabytes.

#include <cstddef>

namespace k2k {

class MemoryBlock final {
public:
    explicit MemoryBlock(std::size_t size);
    ~MemoryBlock();
    MemoryBlock(MemoryBlock&& other) noexcept;
    MemoryBlock& operator=(MemoryBlock&& other) noexcept;
    MemoryBlock(const MemoryBlock&) = delete;
    MemoryBlock& operator=(const MemoryBlock&) = delete;

    char* Data() const noexcept { return m_data; }
    std::size_t Size() const noexcept { return m_size; }

private:
    char* m_data = nullptr;
    std::size_t m_size = 0;
    bool m_mapped = false;
};

} // namespace k2k
