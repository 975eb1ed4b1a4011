#include "browser/SimulationPicks.h"

#include "browser/OptionGridRows.h"
#include "platform/Text.h"

#include <algorithm>

namespace k2k {

std::optional<SimulationPickButton> SimulationPickAt(LibraryKind kind, int row) noexcept {
    using C = GridCriterion;
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
    const auto write = [&](GridCriterion criterion, const std::string& value) {
        if (const int row = GridRowOf(kind, criterion))
            writes.push_back({row, value});
    };
    switch (pick) {
    case SimulationPick::Function:
        if (picked.simFunction != 0)
            write(GridCriterion::SimulationFunction, DecimalText(picked.simFunction));
        break;
    case SimulationPick::ElementCode:
    case SimulationPick::Variant:
        write(GridCriterion::ElementCode, picked.elementCode);
        write(GridCriterion::ModelCode, picked.modelCode);
        write(GridCriterion::Variant, picked.modelVariant);
        break;
    case SimulationPick::Subcircuit:
        write(GridCriterion::ElementCode, picked.elementCode);
        write(GridCriterion::ModelCode, picked.modelCode);
        break;
    }
    return writes;
}

} // namespace k2k
