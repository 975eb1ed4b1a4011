#include "system/MemoryBlock.h"

#include "system/LargeAllocator.h"

#include <utility>

namespace k2k {

MemoryBlock::MemoryBlock(std::size_t size)
    : m_data(static_cast<char*>(AllocateLarge(size))), m_size(LargeSize(size)) {
}

MemoryBlock::~MemoryBlock() {
    if (m_data)
        FreeLarge(m_data, m_size);
}

MemoryBlock::MemoryBlock(MemoryBlock&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0)) {
}

MemoryBlock& MemoryBlock::operator=(MemoryBlock&& other) noexcept {
    if (this != &other) {
        if (m_data)
            FreeLarge(m_data, m_size);
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
    }
    return *this;
}

} // namespace k2k
