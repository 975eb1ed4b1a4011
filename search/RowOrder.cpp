#include "search/RowOrder.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace k2k {

int RowOrder::Result(int row) const {
    if (row < 1 || row > m_count)
        throw std::out_of_range("RowOrder::Result: no such row");
    return m_rows.empty() ? row : m_rows[static_cast<std::size_t>(row - 1)];
}

void RowOrder::Append() {
    ++m_count;
    if (!m_rows.empty())
        m_rows.push_back(m_count);
}

void RowOrder::Keep(const std::vector<std::uint8_t>& keep) {
    if (m_rows.empty()) {
        m_count = static_cast<int>(
            std::count_if(keep.begin(), keep.end(), [](std::uint8_t kept) { return kept != 0; }));
        return;
    }
    // The new number of every result, 0 for a removed one.
    std::vector<std::int32_t> renumbered(keep.size());
    std::int32_t next = 0;
    for (std::size_t i = 0; i < keep.size(); ++i)
        renumbered[i] = keep[i] ? ++next : 0;
    std::size_t out = 0;
    for (const std::int32_t result : m_rows)
        if (const std::int32_t number = renumbered[static_cast<std::size_t>(result - 1)])
            m_rows[out++] = number;
    m_rows.resize(out);
    m_count = next;
}

void RowOrder::Clear() noexcept {
    m_rows.clear();
    m_count = 0;
}

void RowOrder::Sort(const std::vector<std::string_view>& keys, bool ascending) {
    if (m_rows.empty()) {
        m_rows.resize(static_cast<std::size_t>(m_count));
        std::iota(m_rows.begin(), m_rows.end(), 1);
    }
    // Each row with the first eight bytes of its key as one number, most significant byte
    // first and padded with zeros, which orders as the keys do: most comparisons are one
    // compare of numbers, and only rows whose keys start alike read their texts.
    // The row's place before the sort breaks ties, which keeps the sort stable without the
    // buffer of a stable sort: the entries are all the memory it takes.
    struct Entry {
        std::uint64_t prefix;
        std::int32_t result;
        std::int32_t row;
    };
    std::vector<Entry> entries(m_rows.size());
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        const std::string_view key = keys[static_cast<std::size_t>(m_rows[row] - 1)];
        std::uint64_t prefix = 0;
        for (std::size_t i = 0; i < 8; ++i)
            prefix = prefix << 8 | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
        entries[row] = {prefix, m_rows[row], static_cast<std::int32_t>(row)};
    }
    // string_view compares bytes as unsigned values, as the prefixes do, so the
    // Windows-1252 letters above 0x7F sort after the ASCII ones. A descending sort reverses
    // the keys, never the ties.
    const auto compare = [&keys](const Entry& a, const Entry& b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix ? -1 : 1;
        if (a.result == b.result)
            return 0;
        const int order = keys[static_cast<std::size_t>(a.result - 1)].compare(
            keys[static_cast<std::size_t>(b.result - 1)]);
        return order < 0 ? -1 : order > 0 ? 1 : 0;
    };
    if (ascending)
        std::sort(entries.begin(), entries.end(), [&compare](const Entry& a, const Entry& b) {
            const int order = compare(a, b);
            return order != 0 ? order < 0 : a.row < b.row;
        });
    else
        std::sort(entries.begin(), entries.end(), [&compare](const Entry& a, const Entry& b) {
            const int order = compare(a, b);
            return order != 0 ? order > 0 : a.row < b.row;
        });
    for (std::size_t row = 0; row < m_rows.size(); ++row)
        m_rows[row] = entries[row].result;
}

} // namespace k2k
