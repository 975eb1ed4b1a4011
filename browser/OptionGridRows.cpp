#include "browser/OptionGridRows.h"

#include "search/LibraryCatalogue.h"
#include "search/SearchCriteria.h"
#include "search/SearchEngine.h"

#include <algorithm>
#include <array>

namespace k2k {

namespace {

using C = GridCriterion;
constexpr GridCell kHistory = GridCell::HistoryBox;
constexpr GridCell kLibraries = GridCell::LibraryList;
constexpr GridCell kPick = GridCell::PickButton;

constexpr OptionGridRow kPartRows[] = {
    {PartRow::Name, C::Name, "4818", "Name", kHistory, 1},
    {PartRow::Library, C::Library, "99825", "Library", kLibraries, 0},
    {PartRow::Description, C::Description, "99542", "Description", kHistory, 2},
    {PartRow::Symbol, C::Symbol, "991150", "Symbol", kHistory, 3},
    {PartRow::Package, C::Package, "10190", "Package", kHistory, 4},
    {PartRow::PackageType, C::PackageType, "3976", "Package Type", kPick, 0},
    {PartRow::Manufacturer, C::Manufacturer, "5011", "Manufacturer", kPick, 0},
    {PartRow::Technology, C::Technology, "4377", "Technology", kPick, 0},
    {PartRow::Type, C::Type, "34366", "Type", kPick, 0},
    {PartRow::ExternalIndexCode, C::ExternalIndexCode, "5012", "Externel Index Code", kHistory, 5},
    {PartRow::SimulationFunction, C::SimulationFunction, "5013", "Simulation Function", kPick, 0},
    {PartRow::SimulationRef, C::SimulationRef, "5014", "KDSpice Simulation Ref", kHistory, 6},
    {PartRow::ElementCode, C::ElementCode, "5015", "KDSpice ElementCode", kPick, 0},
    {PartRow::ModelCode, C::ModelCode, "5016", "KDSpice Model Code / SubCircuit", kPick, 0},
    {PartRow::Variant, C::Variant, "5017", "KDSpice Variant", kPick, 0},
};

constexpr OptionGridRow kSymbolRows[] = {
    {SymbolRow::Name, C::Name, "4818", "Name", kHistory, 1},
    {SymbolRow::Library, C::Library, "99825", "Library", kLibraries, 0},
    {SymbolRow::Description, C::Description, "99542", "Description", kHistory, 2},
    {SymbolRow::Type, C::Type, "34366", "Type", kPick, 0},
    {SymbolRow::SimulationFunction, C::SimulationFunction, "5013", "Simulation Function", kPick, 0},
    {SymbolRow::ElementCode, C::ElementCode, "5015", "KDSpice ElementCode", kPick, 0},
    {SymbolRow::ModelCode, C::ModelCode, "5016", "KDSpice Model Code / SubCircuit", kPick, 0},
    {SymbolRow::Variant, C::Variant, "5017", "KDSpice Variant", kPick, 0},
};

constexpr OptionGridRow kPackageRows[] = {
    {PackageRow::Name, C::Name, "4818", "Name", kHistory, 1},
    {PackageRow::Library, C::Library, "99825", "Library", kLibraries, 0},
    {PackageRow::Description, C::Description, "99542", "Description", kHistory, 2},
    {PackageRow::Type, C::Type, "16305", "Type", kPick, 0},
    {PackageRow::JedecName, C::JedecName, "4946", "JEDEC Name", kHistory, 3},
};

constexpr OptionGridRow kPadstackRows[] = {
    {PadstackRow::Name, C::Name, "4818", "Name", kHistory, 1},
    {PadstackRow::Library, C::Library, "3961", "Library", kLibraries, 0},
    {PadstackRow::Type, C::Type, "16305", "Type", kPick, 0},
    {PadstackRow::Shape, C::Shape, "991207", "Shape", kPick, 0},
};

constexpr std::array<std::span<const OptionGridRow>, 4> kRows{kPartRows, kSymbolRows, kPackageRows,
                                                              kPadstackRows};

} // namespace

std::span<const OptionGridRow> OptionGridRows(LibraryKind kind) noexcept {
    return kRows[static_cast<std::size_t>(kind)];
}

int OptionGridRowCount(LibraryKind kind) noexcept {
    return static_cast<int>(OptionGridRows(kind).size()) + 1;
}

int HistoryBoxCount(LibraryKind kind) noexcept {
    const auto rows = OptionGridRows(kind);
    return static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const OptionGridRow& row) {
        return row.cell == GridCell::HistoryBox;
    }));
}

int GridRowOf(LibraryKind kind, GridCriterion criterion) noexcept {
    for (const OptionGridRow& row : OptionGridRows(kind))
        if (row.criterion == criterion)
            return row.row;
    return 0;
}

std::vector<std::string> FreshGridValues(LibraryKind kind) {
    std::vector<std::string> values(OptionGridRows(kind).size());
    values[static_cast<std::size_t>(GridRowOf(kind, GridCriterion::Library) - 1)] = kAllLibraries;
    return values;
}

bool SetGridValue(std::vector<std::string>& values, LibraryKind kind, GridCriterion criterion,
                  std::string value) {
    const int row = GridRowOf(kind, criterion);
    if (row == 0)
        return false;
    if (values.size() < static_cast<std::size_t>(row))
        values.resize(static_cast<std::size_t>(row));
    values[static_cast<std::size_t>(row - 1)] = std::move(value);
    return true;
}

std::vector<std::string> LibraryListEntries(const LibraryCatalogue& catalogue, LibraryKind kind) {
    std::vector<std::string> entries{kAllLibraries, kProjectLibrary};
    const auto& libraries = catalogue.Entries(kind);
    entries.insert(entries.end(), libraries.begin(), libraries.end());
    return entries;
}

} // namespace k2k
