#include "system/TextStore.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace k2k {

namespace {

// A new block is as large as all before it together, within these bounds: few blocks
// for a large store, little unused room in a small one.
constexpr std::size_t kSmallestBlock = 1 << 10;
constexpr std::size_t kLargestBlock = 4 << 20;

} // namespace

TextStore::TextStore(TextStore&& other) noexcept
    : m_blocks(std::move(other.m_blocks)), m_free(std::exchange(other.m_free, nullptr)),
      m_left(std::exchange(other.m_left, 0)), m_blockBytes(std::exchange(other.m_blockBytes, 0)) {
}

TextStore& TextStore::operator=(TextStore&& other) noexcept {
    if (this != &other) {
        m_blocks = std::move(other.m_blocks);
        m_free = std::exchange(other.m_free, nullptr);
        m_left = std::exchange(other.m_left, 0);
        m_blockBytes = std::exchange(other.m_blockBytes, 0);
    }
    return *this;
}

const char* TextStore::Add(std::initializer_list<std::string_view> texts) {
    std::size_t bytes = 0;
    for (std::string_view text : texts)
        bytes += text.size() + 1;
    if (bytes > m_left) {
        const std::size_t size =
            std::max(bytes, std::clamp(m_blockBytes, kSmallestBlock, kLargestBlock));
        m_blocks.emplace_back(size);
        m_free = m_blocks.back().Data();
        m_left = m_blocks.back().Size();
        m_blockBytes += size;
    }
    char* const start = m_free;
    for (std::string_view text : texts) {
        if (!text.empty())
            std::memcpy(m_free, text.data(), text.size());
        m_free += text.size();
        *m_free++ = '\0';
    }
    m_left -= bytes;
    return start;
}

} // namespace k2k
