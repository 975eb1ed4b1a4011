#include "browser/OptionGridRows.h"

#include "search/LibraryCatalogue.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

using C = SearchCriterion;

constexpr LibraryKind kKinds[] = {LibraryKind::Part, LibraryKind::Symbol, LibraryKind::Package,
                                  LibraryKind::Padstack};

// The saved histories name the boxes by number, in the order of the rows.
TEST(OptionGridRowsTest, HistoryBoxesAreNumberedInOrderAndAFreshGridSearchesAllLibraries) {
    const int boxCounts[] = {7, 2, 3, 1};
    for (LibraryKind kind : kKinds) {
        SCOPED_TRACE(static_cast<int>(kind));
        const auto rows = OptionGridRows(kind);
        int box = 0;
        for (const OptionGridRow& row : rows)
            if (row.cell == GridCell::HistoryBox) {
                EXPECT_EQ(row.historyBox, ++box) << "row " << row.row;
            }
        EXPECT_EQ(HistoryBoxCount(kind), boxCounts[static_cast<int>(kind)]);
        const std::vector<std::string> values = FreshGridValues(kind);
        ASSERT_EQ(values.size(), rows.size());
        for (std::size_t i = 0; i < values.size(); ++i)
            EXPECT_EQ(values[i], i == 1 ? "[ALL LIBRARIES]" : "") << "row " << i + 1;
    }
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
