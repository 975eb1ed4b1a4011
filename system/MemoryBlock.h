#pragma once
// A block of memory that never moves, taken through AllocateLarge: a large block comes as
// huge pages where the system has them (and then as many whole huge pages as it needs, so
// its size may be more than was asked for), a small one from the heap.

#include <cstddef>
#include <memory>

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
};

// A block that several owners keep: texts copied on one thread and kept by another.
using SharedBlock = std::shared_ptr<MemoryBlock>;

} // namespace k2k
