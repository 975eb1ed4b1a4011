#include "platform/MemoryBlock.h"

#include <new>
#include <sys/mman.h>
#include <utility>

namespace k2k {

namespace {

constexpr std::size_t kHugePage = 2 << 20;

} // namespace

MemoryBlock::MemoryBlock(std::size_t size) : m_size(size) {
    // A large block asks for huge pages, which the system fills a few at a time; a small
    // one has its pages put in place at once.
    const bool huge = size >= kHugePage;
    void* map = ::mmap(nullptr, size, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | (huge ? 0 : MAP_POPULATE), -1, 0);
    if (map != MAP_FAILED && huge)
        ::madvise(map, size, MADV_HUGEPAGE);
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
