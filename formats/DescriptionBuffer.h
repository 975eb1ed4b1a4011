#pragma once
// The bytes the descriptions of a library were read into: the file mapped into memory,
// or, where the system cannot map it, a buffer it was read into, reused from library to
// library. Records refer into it until the next read or its end. A large section is mapped
// (a search by name then touches the pages of the names only), a small one, or one whose
// texts will be read nearly whole, is read.

#include "system/Result.h"

#include <atomic>
#include <cstddef>
#include <string>
#include <string_view>

namespace k2k {

class DescriptionBuffer final {
public:
    DescriptionBuffer() = default;
    ~DescriptionBuffer();
    DescriptionBuffer(const DescriptionBuffer&) = delete;
    DescriptionBuffer& operator=(const DescriptionBuffer&) = delete;

    const char* Data() const noexcept;
    // Maps the description section (size bytes from offset) of the open library fd, or
    // reads it when wholeTexts says most of it will be read; answers where the section
    // starts. A read goes in pieces and gives up between two of them once cancel is set.
    Result<const char*> Load(int fd, std::size_t offset, std::size_t size, bool wholeTexts,
                             const std::atomic<bool>* cancel = nullptr);
    void Release() noexcept;
    // Bytes from .. to of the loaded section will be read here and there, not in a run: the
    // system then maps in only the pages read (and the process holds no more of the file).
    void ExpectScatteredReads(std::size_t from, std::size_t to) noexcept;
    // Copies text, which lies in the loaded section, to out. From a mapping it is read
    // from the file, so that the pages around it are not brought into the process (the
    // system maps the cached pages around each touched one): for a few texts here and
    // there. Anything else is copied from memory.
    void CopyOut(std::string_view text, char* out) const noexcept;

private:
    void* m_map = nullptr;
    std::size_t m_mapSize = 0;
    std::size_t m_offset = 0; // where the section starts in the file (and in a mapping)
    int m_file = -1;          // the mapped file, for CopyOut
    // Grows, never shrinks, and is not cleared when it grows: what grows is read into at
    // once, and setting it to zero first would cost as much as a second copy.
    char* m_heap = nullptr;
    std::size_t m_heapSize = 0;

    bool m_mapped = false;
};

} // namespace k2k
