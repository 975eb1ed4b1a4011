#pragma once
// The registered types: eight classification trees (part types, manufacturers,
// technologies, part package types, symbol types, package types, padstack types, padstack
// shapes), each held as one flat table of entries in which a node comes after its parent.
// The browser profile (BrowserProfile.h) fills the tables at start and writes them back
// after a confirmed editing dialog; the registered-types dialogs build their trees from
// them and the search-option pick lists offer their nodes. One instance per component.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace k2k {

inline constexpr int kRegTypeTableCount = 8;

// The tables by number. The number is the table's place in the profile and the first
// field of each of its entry lines.
enum RegTypeTableNumber : int {
    kPartTypeTable = 1,
    kManufacturerTable = 2,
    kTechnologyTable = 3,
    kPartPackageTypeTable = 4,
    kSymbolTypeTable = 5,
    kPackageTypeTable = 6,
    kPadstackTypeTable = 7,
    kPadstackShapeTable = 8,
};

struct RegTypeEntry {
    std::int32_t IsUser = 0; // 0: a system entry (delivered with the suite), 1: a user entry
    std::string Path;        // the node's identifiers from the top level down, joined with ","
    std::string Value;       // the node's text

    bool operator==(const RegTypeEntry&) const = default;
};

// "PartType", "Manufacturer", ..., "PadstackShape"; empty for a number outside 1 to 8.
std::string_view RegTypeSection(int table) noexcept;

// The number of identifiers of a path ("1,2,4" has three); 0 for an empty path.
int PathDepth(std::string_view path) noexcept;

struct RegTypeTables {
    RegTypeTables() { Clear(); }

    // Each table holds element 0 only, and every count is 0.
    void Clear();

    // Table 1 to 8. Element 0 is never used; the entries are 1 to UpperBound(table).
    std::vector<RegTypeEntry>& Table(int table) { return m_tables.at(Index(table)); }
    const std::vector<RegTypeEntry>& Table(int table) const { return m_tables.at(Index(table)); }
    int UpperBound(int table) const { return static_cast<int>(Table(table).size()) - 1; }
    void Append(int table, RegTypeEntry entry) { Table(table).push_back(std::move(entry)); }

    // The stored entry count beside each table. Reading sets it to the upper bound, and so
    // does each confirmed editing dialog before the profile is written; the writer writes
    // no more entries than it says.
    int& Count(int table) { return m_counts.at(Index(table)); }
    int Count(int table) const { return m_counts.at(Index(table)); }
    void SetCountsToUpperBounds();

    // The profile the tables were read from, which every write goes back to.
    std::string profilePath;

private:
    static std::size_t Index(int table) noexcept { return static_cast<std::size_t>(table - 1); }

    std::array<std::vector<RegTypeEntry>, kRegTypeTableCount> m_tables;
    std::array<int, kRegTypeTableCount> m_counts{};
};

} // namespace k2k
