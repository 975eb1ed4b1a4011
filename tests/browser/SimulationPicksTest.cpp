#include "browser/SimulationPicks.h"

#include "browser/OptionGridRows.h"
#include "search/SearchCriteria.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

// The grid rows that open the simulation dialog, with the tab it shows and its caption.
TEST(SimulationPicksTest, OnlyTheSimulationRowsOfPartAndSymbolGridsPick) {
    struct Case {
        LibraryKind kind;
        int row;
        SimulationPick pick;
        SimulationTab tab;
        const char* titleId;
    };
    const Case cases[] = {
        {LibraryKind::Part, PartRow::SimulationFunction, SimulationPick::Function,
         SimulationTab::Function, "5031"},
        {LibraryKind::Part, PartRow::ElementCode, SimulationPick::ElementCode,
         SimulationTab::ElementCode, "5032"},
        {LibraryKind::Part, PartRow::ModelCode, SimulationPick::Subcircuit,
         SimulationTab::Subcircuit, "5033"},
        {LibraryKind::Part, PartRow::Variant, SimulationPick::Variant, SimulationTab::ElementCode,
         "5034"},
        {LibraryKind::Symbol, SymbolRow::SimulationFunction, SimulationPick::Function,
         SimulationTab::Function, "5031"},
        {LibraryKind::Symbol, SymbolRow::ElementCode, SimulationPick::ElementCode,
         SimulationTab::ElementCode, "5032"},
        {LibraryKind::Symbol, SymbolRow::ModelCode, SimulationPick::Subcircuit,
         SimulationTab::Subcircuit, "5033"},
        {LibraryKind::Symbol, SymbolRow::Variant, SimulationPick::Variant,
         SimulationTab::ElementCode, "5034"},
    };
    int picks = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        const auto button = SimulationPickAt(c.kind, c.row);
        ASSERT_TRUE(button.has_value());
        EXPECT_EQ(button->pick, c.pick);
        EXPECT_EQ(button->tab, c.tab);
        EXPECT_STREQ(button->titleId, c.titleId);
    }
    for (LibraryKind kind :
         {LibraryKind::Part, LibraryKind::Symbol, LibraryKind::Package, LibraryKind::Padstack})
        for (int row = 0; row <= OptionGridRowCount(kind); ++row)
            picks += SimulationPickAt(kind, row).has_value() ? 1 : 0;
    EXPECT_EQ(picks, 8) << "the registered-type rows and the other kinds do not pick here";
}

// Element code and variant picks fill the whole group; a subcircuit pick leaves the
// variant; a function pick writes its number unless none was picked.
TEST(SimulationPicksTest, APickWritesIntoItsGroupOfRows) {
    const PickedSimulationRef picked{"Q", "NPN", "2N2222", -12};
    using Writes = std::vector<std::pair<int, std::string>>;
    const auto writes = [&](LibraryKind kind, SimulationPick pick, const PickedSimulationRef& p) {
        Writes out;
        for (const GridWrite& write : SimulationPickWrites(kind, pick, p))
            out.emplace_back(write.row, write.value);
        return out;
    };
    const Writes group{{13, "Q"}, {14, "NPN"}, {15, "2N2222"}};
    EXPECT_EQ(writes(LibraryKind::Part, SimulationPick::ElementCode, picked), group);
    EXPECT_EQ(writes(LibraryKind::Part, SimulationPick::Variant, picked), group);
    const PickedSimulationRef subcircuit{"X", "NE555", "library", 0};
    EXPECT_EQ(writes(LibraryKind::Part, SimulationPick::Subcircuit, subcircuit),
              (Writes{{13, "X"}, {14, "NE555"}}));
    EXPECT_EQ(writes(LibraryKind::Symbol, SimulationPick::Variant, picked),
              (Writes{{6, "Q"}, {7, "NPN"}, {8, "2N2222"}}));
    EXPECT_EQ(writes(LibraryKind::Symbol, SimulationPick::Function, picked), (Writes{{5, "-12"}}));
    EXPECT_EQ(writes(LibraryKind::Part, SimulationPick::Function, subcircuit), Writes{})
        << "no function picked yet";
}

} // namespace
} // namespace k2k
