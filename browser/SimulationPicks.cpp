#include "browser/SimulationPicks.h"

#include "browser/OptionGridRows.h"
#include "system/Text.h"

#include <algorithm>

namespace k2k {

std::optional<SimulationPickButton> SimulationPickAt(LibraryKind kind, int row) noexcept {
    using C = SearchCriterion;
    const auto rows = OptionGridRows(kind);
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [row](const OptionGridRow& r) { return r.row == row; });
    if (found == rows.end())
        return std::nullopt;
    switch (found->criterion) {
    case C::SimulationFunction:
        return SimulationPickButton{SimulationPick::Function, SimulationTab::Function, "5031",
                                    "Select Simulation function"};
    case C::ElementCode:
        return SimulationPickButton{SimulationPick::ElementCode, SimulationTab::ElementCode, "5032",
                                    "Select KDSpice Element code"};
    case C::ModelCode:
        return SimulationPickButton{SimulationPick::Subcircuit, SimulationTab::Subcircuit, "5033",
                                    "Select KDSpice SubCircuit"};
    case C::Variant:
        return SimulationPickButton{SimulationPick::Variant, SimulationTab::ElementCode, "5034",
                                    "Select KDSpice Variant"};
    default:
        return std::nullopt;
    }
}

std::vector<GridWrite> SimulationPickWrites(LibraryKind kind, SimulationPick pick,
                                            const PickedSimulationRef& picked) {
    std::vector<GridWrite> writes;
    const auto write = [&](SearchCriterion criterion, const std::string& value) {
        if (const int row = CriterionRow(kind, criterion))
            writes.push_back({row, value});
    };
    switch (pick) {
    case SimulationPick::Function:
        if (picked.simFunction != 0)
            write(SearchCriterion::SimulationFunction, DecimalText(picked.simFunction));
        break;
    case SimulationPick::ElementCode:
    case SimulationPick::Variant:
        write(SearchCriterion::ElementCode, picked.elementCode);
        write(SearchCriterion::ModelCode, picked.modelCode);
        write(SearchCriterion::Variant, picked.modelVariant);
        break;
    case SimulationPick::Subcircuit:
        write(SearchCriterion::ElementCode, picked.elementCode);
        write(SearchCriterion::ModelCode, picked.modelCode);
        break;
    }
    return writes;
}

} // namespace k2k
