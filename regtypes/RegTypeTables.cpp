#include "regtypes/RegTypeTables.h"

#include <algorithm>

namespace k2k {

namespace {

constexpr std::array<std::string_view, kRegTypeTableCount> kSections = {
    "PartType",   "Manufacturer", "Technology",   "PartPackageType",
    "SymbolType", "PackageType",  "PadstackType", "PadstackShape"};

} // namespace

std::string_view RegTypeSection(int table) noexcept {
    if (table < 1 || table > kRegTypeTableCount)
        return {};
    return kSections[static_cast<std::size_t>(table - 1)];
}

int PathDepth(std::string_view path) noexcept {
    if (path.empty())
        return 0;
    return static_cast<int>(std::count(path.begin(), path.end(), ',')) + 1;
}

void RegTypeTables::Clear() {
    for (auto& table : m_tables)
        table.assign(1, RegTypeEntry{});
    m_counts.fill(0);
}

void RegTypeTables::SetCountsToUpperBounds() {
    for (int table = 1; table <= kRegTypeTableCount; ++table)
        Count(table) = UpperBound(table);
}

} // namespace k2k
