#include "search/ResultList.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace k2k {

namespace {

constexpr std::size_t kFirstBlock = 16 << 10;
constexpr std::size_t kLargestBlock = 16 << 20;

} // namespace

PartResult MakePartResult(std::string_view library, std::string_view name, std::string_view info) {
    return {SplitPartInfo(info), 0, 0, library, name};
}

SymbolResult MakeSymbolResult(std::string_view library, std::string_view name,
                              std::string_view info) {
    return {SplitSymbolInfo(info), 0, 0, library, name};
}

PackageResult MakePackageResult(std::string_view library, std::string_view name,
                                std::string_view info) {
    return {SplitPackageInfo(info), 0, 0, library, name};
}

const char* ResultList::Store(std::string_view name, std::string_view info) {
    const std::size_t size = name.size() + info.size();
    if (m_blocks.empty() || m_blockUsed + size > m_blocks.back().Size()) {
        const std::size_t next =
            m_blocks.empty() ? kFirstBlock : std::min(m_blocks.back().Size() * 2, kLargestBlock);
        // A text longer than a block gets a block of its own.
        m_blocks.emplace_back(std::max(next, size));
        m_blockUsed = 0;
    }
    char* at = m_blocks.back().Data() + m_blockUsed;
    if (!name.empty())
        std::memcpy(at, name.data(), name.size());
    if (!info.empty())
        std::memcpy(at + name.size(), info.data(), info.size());
    m_blockUsed += size;
    return at;
}

std::uint32_t ResultList::LibraryIndex(std::string_view library) {
    // Results come library after library, so the last name is nearly always the one.
    for (std::size_t i = m_libraries.size(); i-- > 0;)
        if (m_libraries[i] == library)
            return static_cast<std::uint32_t>(i);
    // In the text store, not in a string of its own: a view of it outlives later appends.
    m_libraries.emplace_back(Store(library, {}), library.size());
    return static_cast<std::uint32_t>(m_libraries.size() - 1);
}

int ResultList::Append(std::string_view library, std::string_view name, std::string_view info,
                       std::int32_t status, int colour) {
    const char* text = Store(name, info);
    m_records.push_back(Record{text, static_cast<std::uint32_t>(name.size()),
                               static_cast<std::uint32_t>(info.size()), LibraryIndex(library), 0,
                               status, static_cast<std::uint8_t>(colour)});
    m_rows.Append();
    return Count();
}

void ResultList::TakeTexts(std::vector<SharedBlock>& blocks) {
    for (SharedBlock& block : blocks)
        if (m_taken.empty() || m_taken.back() != block)
            m_taken.push_back(std::move(block));
    blocks.clear();
}

int ResultList::AppendTaken(std::string_view library, const char* text, std::uint32_t nameLength,
                            std::uint32_t infoLength, std::int32_t status, int colour) {
    m_records.push_back(Record{text, nameLength, infoLength, LibraryIndex(library), 0, status,
                               static_cast<std::uint8_t>(colour)});
    m_rows.Append();
    return Count();
}

int ResultList::Keep(const std::vector<std::uint8_t>& keep) {
    std::size_t out = 0;
    for (std::size_t i = 0; i < m_records.size(); ++i)
        if (keep[i])
            m_records[out++] = m_records[i];
    const int removed = static_cast<int>(m_records.size() - out);
    m_records.resize(out);
    m_rows.Keep(keep);
    return removed;
}

int ResultList::Remove(const std::vector<int>& numbers) {
    std::vector<std::uint8_t> keep(m_records.size(), 1);
    for (const int i : numbers) {
        if (i < 1 || i > Count())
            throw std::out_of_range("ResultList::Remove: no such result");
        keep[static_cast<std::size_t>(i - 1)] = 0;
    }
    return Keep(keep);
}

void ResultList::Clear() {
    m_records.clear();
    m_libraries.clear();
    m_blocks.clear();
    m_blockUsed = 0;
    m_taken.clear();
    m_rows.Clear();
}

std::string_view ResultList::Name(int i) const {
    const Record& r = At(i);
    return {r.text, r.nameLength};
}

std::string_view ResultList::Info(int i) const {
    const Record& r = At(i);
    return {r.text + r.nameLength, r.infoLength};
}

std::string_view ResultList::Library(int i) const {
    return m_libraries[At(i).library];
}

PartResult ResultList::Part(int i) const {
    const Record& r = At(i);
    return {SplitPartInfo(Info(i)), r.number, r.status, Library(i), Name(i)};
}

SymbolResult ResultList::Symbol(int i) const {
    const Record& r = At(i);
    return {SplitSymbolInfo(Info(i)), r.number, r.status, Library(i), Name(i)};
}

PackageResult ResultList::Package(int i) const {
    const Record& r = At(i);
    return {SplitPackageInfo(Info(i)), r.number, r.status, Library(i), Name(i)};
}

void ResultList::SortRows(const ColumnText& column, bool ascending) {
    std::vector<std::string_view> keys(m_records.size());
    for (int i = 1; i <= Count(); ++i)
        keys[static_cast<std::size_t>(i - 1)] = column(*this, i);
    m_rows.Sort(keys, ascending);
}

void ResultList::SortRowsByName(bool ascending) {
    SortRows([](const ResultList& results, int i) { return results.Name(i); }, ascending);
}

} // namespace k2k
