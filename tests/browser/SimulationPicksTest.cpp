#include "browser/SimulationPicks.h"

#include "browser/OptionGridRows.h"
#include "search/SearchCriteria.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

namespace k2k {
namespace {

// The grid rows that open the simulation dialog, with the tab it shows and its caption.
TEST(SimulationPicksTest, OnlyTheSimulationRowsOfPartAndSymbolGridsPick) {
    using Button = std::tuple<SimulationPick, SimulationTab, std::string>;
    using C = SearchCriterion;
    const auto at = [](LibraryKind kind, C criterion) -> std::optional<Button> {
        const auto button = SimulationPickAt(kind, CriterionRow(kind, criterion));
        return button ? std::optional(Button{button->pick, button->tab, button->titleId})
                      : std::nullopt;
    };
    using P = SimulationPick;
    using T = SimulationTab;
    EXPECT_EQ(at(LibraryKind::Part, C::ElementCode),
              (Button{P::ElementCode, T::ElementCode, "5032"}));
    EXPECT_EQ(at(LibraryKind::Part, C::ModelCode), (Button{P::Subcircuit, T::Subcircuit, "5033"}));
    EXPECT_EQ(at(LibraryKind::Part, C::Variant), (Button{P::Variant, T::ElementCode, "5034"}));
    EXPECT_EQ(at(LibraryKind::Symbol, C::SimulationFunction),
              (Button{P::Function, T::Function, "5031"}));
    int picks = 0;
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
    EXPECT_EQ(writes(LibraryKind::Part, SimulationPick::ElementCode, picked),
              (Writes{{13, "Q"}, {14, "NPN"}, {15, "2N2222"}}));
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
