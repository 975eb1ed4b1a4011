#pragma once
// The pick buttons of the part and symbol grids that open the simulation-reference dialog,
// and what a pick writes back into the grid.
//
// The simulation-function button takes the picked function into its own cell. The three
// Spice-reference buttons (element code, model code or subcircuit, variant) share one
// group of rows: a pick from the element-code or the variant button writes the picked
// element code, model and variant into all three; a pick from the subcircuit button writes
// "X" and the subcircuit's name into the element-code and model rows and leaves the
// variant as it is. A cancelled pick writes nothing.

#include "formats/LibraryFile.h"
#include "simulation/SimulationPicker.h"

#include <optional>
#include <string>
#include <vector>

namespace k2k {

enum class SimulationPick { Function, ElementCode, Subcircuit, Variant };

struct SimulationPickButton {
    SimulationPick pick = SimulationPick::Function;
    SimulationTab tab = SimulationTab::Function; // the one tab the dialog shows
    const char* titleId = "";                    // the dialog's caption
    const char* title = "";
};

// The simulation pick of a grid's row; nullopt for every other row.
std::optional<SimulationPickButton> SimulationPickAt(LibraryKind kind, int row) noexcept;

struct GridWrite {
    int row = 0;
    std::string value;
};

// What an accepted pick writes into the kind's grid, in row order. The function pick
// writes the picked number unless none was ever picked (0, which no function has).
std::vector<GridWrite> SimulationPickWrites(LibraryKind kind, SimulationPick pick,
                                            const PickedSimulationRef& picked);

} // namespace k2k
