#include "browser/RegTypePicks.h"

#include "regtypes/RegTypeTables.h"

namespace k2k {

std::optional<RegTypePick> RegTypePickOf(LibraryKind kind, SearchCriterion criterion) noexcept {
    using C = SearchCriterion;
    switch (kind) {
    case LibraryKind::Part:
        switch (criterion) {
        case C::PackageType:
            return RegTypePick{kPartPackageTypeTable, "5023", "Select Package Type"};
        case C::Manufacturer:
            return RegTypePick{kManufacturerTable, "5028", "Select Manufacturer Type"};
        case C::Technology:
            return RegTypePick{kTechnologyTable, "5029", "Select Technology Type"};
        case C::Type:
            return RegTypePick{kPartTypeTable, "5030", "Select Part Type"};
        default:
            return std::nullopt;
        }
    case LibraryKind::Symbol:
        if (criterion == C::Type)
            return RegTypePick{kSymbolTypeTable, "5036", "Select Symbol Type"};
        return std::nullopt;
    case LibraryKind::Package:
        if (criterion == C::Type)
            return RegTypePick{kPackageTypeTable, "5023", "Select Package Type"};
        return std::nullopt;
    case LibraryKind::Padstack:
        if (criterion == C::Type)
            return RegTypePick{kPadstackTypeTable, "5025", "Select Padstack Type"};
        if (criterion == C::Shape)
            return RegTypePick{kPadstackShapeTable, "5026", "Select Padstack Shape"};
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<RegTypePick> RegTypePickAt(LibraryKind kind, int row) noexcept {
    for (const OptionGridRow& gridRow : OptionGridRows(kind))
        if (gridRow.row == row && gridRow.cell == GridCell::PickButton)
            return RegTypePickOf(kind, gridRow.criterion);
    return std::nullopt;
}

} // namespace k2k
