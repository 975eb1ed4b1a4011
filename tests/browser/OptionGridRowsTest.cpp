#include "browser/OptionGridRows.h"

#include "search/LibraryCatalogue.h"
#include "search/SearchCriteria.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

using C = GridCriterion;

constexpr LibraryKind kKinds[] = {LibraryKind::Part, LibraryKind::Symbol, LibraryKind::Package,
                                  LibraryKind::Padstack};

// The searches read the criteria by row number and the saved histories name the boxes by
// number, so the tables must agree with both.
TEST(OptionGridRowsTest, RowsMatchTheSearchesAndHistoryBoxesAreNumberedInOrder) {
    for (LibraryKind kind : kKinds) {
        SCOPED_TRACE(static_cast<int>(kind));
        const auto rows = OptionGridRows(kind);
        EXPECT_EQ(OptionGridRowCount(kind), CriteriaRows(kind) + 1)
            << "the searches read every row of the grid";
        int box = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].row, static_cast<int>(i) + 1);
            EXPECT_EQ(GridRowOf(kind, rows[i].criterion), rows[i].row);
            if (rows[i].cell == GridCell::HistoryBox) {
                EXPECT_EQ(rows[i].historyBox, ++box) << "row " << rows[i].row;
            }
        }
        EXPECT_EQ(HistoryBoxCount(kind), box);
        EXPECT_EQ(GridRowOf(kind, GridCriterion::Library), 2);
        // A fresh grid searches all libraries for nothing else.
        const std::vector<std::string> values = FreshGridValues(kind);
        ASSERT_EQ(values.size(), rows.size());
        for (std::size_t i = 0; i < values.size(); ++i)
            EXPECT_EQ(values[i], i == 1 ? "[ALL LIBRARIES]" : "") << "row " << i + 1;
    }
    EXPECT_EQ(GridRowOf(LibraryKind::Symbol, GridCriterion::JedecName), 0)
        << "a criterion the kind lacks has no row";
}

TEST(OptionGridRowsTest, AValueGoesIntoItsCriterionsRowOfTheKind) {
    std::vector<std::string> values = FreshGridValues(LibraryKind::Package);
    EXPECT_TRUE(SetGridValue(values, LibraryKind::Package, C::JedecName, "MS-001"));
    EXPECT_TRUE(SetGridValue(values, LibraryKind::Package, C::Type, "PMD*"));
    EXPECT_FALSE(SetGridValue(values, LibraryKind::Package, C::Manufacturer, "Acme"));
    EXPECT_EQ(values, (std::vector<std::string>{"", "[ALL LIBRARIES]", "", "PMD*", "MS-001"}))
        << "a criterion the kind lacks changes nothing";
    std::vector<std::string> padstack = FreshGridValues(LibraryKind::Padstack);
    EXPECT_TRUE(SetGridValue(padstack, LibraryKind::Padstack, C::Type, "Round"));
    EXPECT_EQ(padstack[2], "Round") << "the padstack type is row 3, not the package's 4";
}

TEST(OptionGridRowsTest, TheLibraryListOffersAllAndTheProjectFirst) {
    LibraryCatalogue catalogue;
    catalogue.SetEntries(LibraryKind::Symbol, {"LOGIC.SYMBOL", " ANALOG.SYMBOL"});
    EXPECT_EQ(LibraryListEntries(catalogue, LibraryKind::Symbol),
              (std::vector<std::string>{"[ALL LIBRARIES]", "[PROJECT LIBRARY]", "LOGIC.SYMBOL",
                                        " ANALOG.SYMBOL"}));
}

} // namespace
} // namespace k2k
