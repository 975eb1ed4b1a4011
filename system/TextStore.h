#pragma once
// Texts kept together in large blocks instead of one heap allocation each. What is added
// never moves and stays until the store goes, so a view of it is valid as long as the
// store lives; each text is followed by a NUL byte, so its start serves as a C string.
// The blocks grow with what the store holds: a store of a few names stays small, one of
// a million texts takes few and large blocks (huge pages where the system has them).

#include "system/MemoryBlock.h"

#include <cstddef>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace k2k {

class TextStore final {
public:
    TextStore() = default;
    TextStore(TextStore&& other) noexcept;
    TextStore& operator=(TextStore&& other) noexcept;
    TextStore(const TextStore&) = delete;
    TextStore& operator=(const TextStore&) = delete;

    // Copies the texts one after another, each followed by a NUL byte, and answers where
    // the first one starts.
    const char* Add(std::initializer_list<std::string_view> texts);

    // The bytes of the blocks taken so far.
    std::size_t BlockBytes() const noexcept { return m_blockBytes; }

private:
    std::vector<MemoryBlock> m_blocks;
    char* m_free = nullptr;
    std::size_t m_left = 0;
    std::size_t m_blockBytes = 0;
};

} // namespace k2k
