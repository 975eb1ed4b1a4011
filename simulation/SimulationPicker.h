#pragma once
// The simulation-reference dialog without its window: three lists, one per kind of Spice
// simulation reference, each drawn from a table of SimulationTables.
//
//   tab 0  simulation functions  the simulator models: "-" or "+" and the number's size
//                                right-aligned in 7 places; model name; library file
//   tab 1  element codes         the element profiles: code; model; variant; description
//   tab 2  subcircuits           the subcircuit index: family; name; description
//
// The start-up calls SetUp with the subcircuit families once the tables are read. The
// window (simulation/ui/frmSimulation) shows the rows of a list by Text, hands in the
// filter boxes, column clicks and the row the user selects, and calls Accept on OK. The
// filters, each list's sort and selection, and the picked values stay while the browser
// runs, from one use of the dialog to the next.
//
// A list holds the table indices of its rows only; a refill (after a filter change or a
// new start-up) keeps the list's sort and drops its selection.

#include "simulation/SimulationTables.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace k2k {

enum class SimulationTab { Function = 0, ElementCode = 1, Subcircuit = 2 };
inline constexpr int kSimulationTabCount = 3;

struct SimulationColumn {
    const char* captionId; // text id of the column caption
    const char* caption;   // its English default
};

// The columns of a tab's list, the row text's column first.
std::span<const SimulationColumn> SimulationColumns(SimulationTab tab) noexcept;

// The family entry that lists the subcircuits of every family.
inline constexpr const char* kAllFamilies = "ALL";

// The filter boxes of the dialog; true when ticked.
struct SimulationFilters {
    bool analog = true;      // tab 0: functions with a negative number
    bool digital = true;     // tab 0: functions with a positive number
    bool standardCkt = true; // tab 1: every element code but "A"
    bool codeModel = true;   // tab 1: element code "A" (either case)
    std::string family;      // tab 2: kAllFamilies, or a family in upper case
};

// What the dialog answers; empty texts and 0 until something was picked.
struct PickedSimulationRef {
    std::string elementCode;  // "X" for a subcircuit
    std::string modelCode;    // the model, or the subcircuit's name
    std::string modelVariant; // the variant, or "library" for a subcircuit
    std::int32_t simFunction = 0;
};

// The row text of a simulation function: "-     12" for -12, "+      5" for 5.
std::string SimulationFunctionText(std::int32_t number);

// The entries of the family list: kAllFamilies, then each subfolder of the subcircuit
// folder in upper case. Empty when the Spice references are not ready.
std::vector<std::string> SubcircuitFamilies(const SimulationTables& tables,
                                            const std::string& subcircuitDir);

class SimulationPicker final {
public:
    explicit SimulationPicker(const SimulationTables& tables) noexcept : m_tables(tables) {}
    SimulationPicker(const SimulationPicker&) = delete;
    SimulationPicker& operator=(const SimulationPicker&) = delete;

    // The start-up's set-up: the family list with its first entry chosen, every filter box
    // ticked, and the three lists filled.
    void SetUp(std::vector<std::string> families);

    const std::vector<std::string>& Families() const noexcept { return m_families; }
    const SimulationFilters& Filters() const noexcept { return m_filters; }
    // Each refills the list of its tab.
    void SetAnalog(bool ticked);
    void SetDigital(bool ticked);
    void SetStandardCkt(bool ticked);
    void SetCodeModel(bool ticked);
    void SetFamily(std::string family);

    // Rebuilds a list from its table: every entry that passes the tab's filter, in table
    // order unless the list was sorted.
    void Fill(SimulationTab tab);
    int RowCount(SimulationTab tab) const noexcept;
    // The trimmed text of a row's column (0 the row text); empty outside the list.
    std::string Text(SimulationTab tab, int row, int column) const;
    // What the list's tool tip shows over a row: its description; empty over no row.
    std::string ToolTip(SimulationTab tab, int row) const;

    // A click on a column's caption: sorts by that column's text without regard to case,
    // the direction reversing on every click (the first ascending).
    void SortBy(SimulationTab tab, int column);
    int SortColumn(SimulationTab tab) const noexcept { return ListOf(tab).sortColumn; }
    bool SortAscending(SimulationTab tab) const noexcept { return ListOf(tab).ascending; }

    // The row the user selected (nullopt: none). The selection follows its row when the
    // list is sorted.
    void Select(SimulationTab tab, std::optional<int> row);
    std::optional<int> SelectedRow(SimulationTab tab) const;

    // OK on the shown tab: a row still selected in the function list gives the function;
    // a row selected in the shown tab's list gives the element code, model and variant
    // (tab 1) or "X", the subcircuit's name and "library" (tab 2). What has no selected
    // row stays as it was. True when the shown tab's list had a selected row: only then
    // did this OK pick anything.
    bool Accept(SimulationTab shown);
    const PickedSimulationRef& Picked() const noexcept { return m_picked; }

private:
    struct List {
        std::vector<int> entries; // table indices, in display order
        std::optional<int> selectedEntry;
        int sortColumn = -1; // -1: table order
        bool ascending = false;
    };

    List& ListOf(SimulationTab tab) noexcept { return m_lists[static_cast<std::size_t>(tab)]; }
    const List& ListOf(SimulationTab tab) const noexcept {
        return m_lists[static_cast<std::size_t>(tab)];
    }
    bool Passes(SimulationTab tab, int entry) const;
    std::string EntryText(SimulationTab tab, int entry, int column) const;
    void Sort(SimulationTab tab);

    const SimulationTables& m_tables;
    std::vector<std::string> m_families;
    SimulationFilters m_filters;
    std::array<List, kSimulationTabCount> m_lists;
    PickedSimulationRef m_picked;
};

} // namespace k2k
