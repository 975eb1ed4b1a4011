#include "platform/MemoryBlock.h"

#include <new>
#include <sys/mman.h>
#include <utility>

namespace k2k {

MemoryBlock::MemoryBlock(std::size_t size) : m_size(size) {
    void* map = ::mmap(nullptr, size, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (map != MAP_FAILED) {
        m_data = static_cast<char*>(map);
        m_mapped = true;
    } else {
        m_data = new char[size];
    }
}

MemoryBlock::~MemoryBlock() {
    if (m_mapped)
        ::munmap(m_data, m_size);
    else
        delete[] m_data;
}

MemoryBlock::MemoryBlock(MemoryBlock&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0)),
      m_mapped(std::exchange(other.m_mapped, false)) {
}

MemoryBlock& MemoryBlock::operator=(MemoryBlock&& other) noexcept {
    if (this != &other) {
        this->~MemoryBlock();
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_mapped = std::exchange(other.m_mapped, false);
    }
    return *this;
}

} // namespace k2k
