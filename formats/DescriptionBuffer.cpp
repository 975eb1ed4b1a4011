#include "formats/DescriptionBuffer.h"

#include "system/LargeAllocator.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace k2k {

DescriptionBuffer::~DescriptionBuffer() {
    Release();
    if (m_heap)
        FreeLarge(m_heap, m_heapSize);
}

const char* DescriptionBuffer::Data() const noexcept {
    return m_mapped ? static_cast<const char*>(m_map) : m_heap;
}

void DescriptionBuffer::Release() noexcept {
    if (m_mapped)
        ::munmap(m_map, m_mapSize);
    if (m_file >= 0)
        ::close(m_file);
    m_file = -1;
    m_map = nullptr;
    m_mapSize = 0;
    m_mapped = false;
}

void DescriptionBuffer::ExpectScatteredReads(std::size_t from, std::size_t to) noexcept {
    if (!m_mapped)
        return;
    // Page boundaries within the mapping, which starts at the file's start.
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    const std::size_t first = (m_offset + from + page - 1) / page * page;
    const std::size_t last = (m_offset + to) / page * page;
    if (first < last)
        ::madvise(static_cast<char*>(m_map) + first, last - first, MADV_RANDOM);
}

void DescriptionBuffer::CopyOut(std::string_view text, char* out) const noexcept {
    const char* base = static_cast<const char*>(m_map);
    if (m_mapped && m_file >= 0 && text.data() >= base && text.data() < base + m_mapSize) {
        std::size_t got = 0;
        while (got < text.size()) {
            const ssize_t n = ::pread(m_file, out + got, text.size() - got,
                                      static_cast<off_t>(text.data() - base + got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            got += static_cast<std::size_t>(n);
        }
        if (got == text.size())
            return;
    }
    if (!text.empty())
        std::memcpy(out, text.data(), text.size());
}

Result<const char*> DescriptionBuffer::Load(int fd, std::size_t offset, std::size_t size,
                                            bool wholeTexts, const std::atomic<bool>* cancel) {
    Release();
    m_offset = offset;
    // A library without objects has no description bytes; its section is there all the
    // same, whether or not this buffer ever held bytes.
    static constexpr char kNoBytes = '\0';
    if (size == 0)
        return static_cast<const char*>(&kNoBytes);
    // A mapping copies nothing: a search by name touches the pages of the names only. One
    // that will read most info texts does better with one plain read, which streams the
    // bytes in. The kernel replaces a library by renaming a new file over it, so a mapped
    // file never shrinks under a search.
    // A small library is read all the same: mapping and unmapping it would cost more than
    // copying it, above all in a process whose other threads must drop the mapping too.
    constexpr std::size_t kMapFrom = std::size_t{256} << 10;
    if (!wholeTexts && size >= kMapFrom) {
        void* map = ::mmap(nullptr, offset + size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (map != MAP_FAILED) {
            m_map = map;
            m_mapSize = offset + size;
            m_mapped = true;
            m_file = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
            return static_cast<const char*>(map) + offset;
        }
    }
    if (size > m_heapSize) {
        // Grown by half its size at least, so that libraries of rising sizes need few
        // allocations; a mapped one is whole huge pages, all of them usable.
        const std::size_t grown = LargeSize(std::max(size, m_heapSize + m_heapSize / 2));
        if (m_heap)
            FreeLarge(m_heap, m_heapSize);
        m_heap = nullptr; // should the allocation throw
        m_heapSize = 0;
        m_heap = static_cast<char*>(AllocateLarge(grown));
        m_heapSize = grown;
    }
    // Pieces of a few megabytes: a Stop need not wait for the whole of a large library.
    constexpr std::size_t kPiece = std::size_t{8} << 20;
    std::size_t got = 0;
    while (got < size) {
        if (cancel && cancel->load(std::memory_order_relaxed))
            return Problem{"the read was cancelled"};
        const ssize_t n = ::pread(fd, m_heap + got, std::min(size - got, kPiece),
                                  static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int readErrno = errno;
            return Problem{std::string("cannot read the file: ") + std::strerror(readErrno), 0,
                           readErrno};
        }
        if (n == 0)
            return Problem{"the library is cut off (it shrank while being read)"};
        got += static_cast<std::size_t>(n);
    }
    return static_cast<const char*>(m_heap);
}

} // namespace k2k
