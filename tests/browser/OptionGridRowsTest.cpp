#include "browser/OptionGridRows.h"

#include "search/LibraryCatalogue.h"
#include "search/SearchCriteria.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace k2k {
namespace {

using C = GridCriterion;

struct ExpectedRow {
    int row;
    C criterion;
    const char* captionId;
    const char* caption;
    GridCell cell;
    int historyBox;
};

constexpr GridCell H = GridCell::HistoryBox;
constexpr GridCell L = GridCell::LibraryList;
constexpr GridCell P = GridCell::PickButton;

// The grids as the users know them: the searches read the criteria by these rows, and
// the saved histories name the boxes by number.
const std::vector<ExpectedRow> kPartGrid{
    {1, C::Name, "4818", "Name", H, 1},
    {2, C::Library, "99825", "Library", L, 0},
    {3, C::Description, "99542", "Description", H, 2},
    {4, C::Symbol, "991150", "Symbol", H, 3},
    {5, C::Package, "10190", "Package", H, 4},
    {6, C::PackageType, "3976", "Package Type", P, 0},
    {7, C::Manufacturer, "5011", "Manufacturer", P, 0},
    {8, C::Technology, "4377", "Technology", P, 0},
    {9, C::Type, "34366", "Type", P, 0},
    {10, C::ExternalIndexCode, "5012", "Externel Index Code", H, 5},
    {11, C::SimulationFunction, "5013", "Simulation Function", P, 0},
    {12, C::SimulationRef, "5014", "KDSpice Simulation Ref", H, 6},
    {13, C::ElementCode, "5015", "KDSpice ElementCode", P, 0},
    {14, C::ModelCode, "5016", "KDSpice Model Code / SubCircuit", P, 0},
    {15, C::Variant, "5017", "KDSpice Variant", P, 0},
};
const std::vector<ExpectedRow> kSymbolGrid{
    {1, C::Name, "4818", "Name", H, 1},
    {2, C::Library, "99825", "Library", L, 0},
    {3, C::Description, "99542", "Description", H, 2},
    {4, C::Type, "34366", "Type", P, 0},
    {5, C::SimulationFunction, "5013", "Simulation Function", P, 0},
    {6, C::ElementCode, "5015", "KDSpice ElementCode", P, 0},
    {7, C::ModelCode, "5016", "KDSpice Model Code / SubCircuit", P, 0},
    {8, C::Variant, "5017", "KDSpice Variant", P, 0},
};
const std::vector<ExpectedRow> kPackageGrid{
    {1, C::Name, "4818", "Name", H, 1},
    {2, C::Library, "99825", "Library", L, 0},
    {3, C::Description, "99542", "Description", H, 2},
    {4, C::Type, "16305", "Type", P, 0},
    {5, C::JedecName, "4946", "JEDEC Name", H, 3},
};
const std::vector<ExpectedRow> kPadstackGrid{
    {1, C::Name, "4818", "Name", H, 1},
    {2, C::Library, "3961", "Library", L, 0},
    {3, C::Type, "16305", "Type", P, 0},
    {4, C::Shape, "991207", "Shape", P, 0},
};

struct Grid {
    LibraryKind kind;
    const std::vector<ExpectedRow>& rows;
    int rowCount; // with the caption row
    int historyBoxes;
};

const Grid kGrids[] = {{LibraryKind::Part, kPartGrid, 16, 6},
                       {LibraryKind::Symbol, kSymbolGrid, 9, 2},
                       {LibraryKind::Package, kPackageGrid, 6, 3},
                       {LibraryKind::Padstack, kPadstackGrid, 5, 1}};

TEST(OptionGridRowsTest, EachGridHoldsItsCriteriaInTheirRows) {
    for (const Grid& grid : kGrids) {
        SCOPED_TRACE(static_cast<int>(grid.kind));
        const auto rows = OptionGridRows(grid.kind);
        ASSERT_EQ(rows.size(), grid.rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const ExpectedRow& want = grid.rows[i];
            EXPECT_EQ(rows[i].row, want.row);
            EXPECT_EQ(rows[i].criterion, want.criterion) << "row " << want.row;
            EXPECT_STREQ(rows[i].captionId, want.captionId) << "row " << want.row;
            EXPECT_STREQ(rows[i].caption, want.caption) << "row " << want.row;
            EXPECT_EQ(rows[i].cell, want.cell) << "row " << want.row;
            EXPECT_EQ(rows[i].historyBox, want.historyBox) << "row " << want.row;
        }
        EXPECT_EQ(OptionGridRowCount(grid.kind), grid.rowCount);
        EXPECT_EQ(OptionGridRowCount(grid.kind), CriteriaRows(grid.kind) + 1)
            << "the searches read every row of the grid";
        EXPECT_EQ(HistoryBoxCount(grid.kind), grid.historyBoxes);

        // Every criterion the kind lacks has no row, so no value can be set for it.
        for (int c = 0; c <= static_cast<int>(C::Shape); ++c) {
            const C criterion = static_cast<C>(c);
            const auto want =
                std::find_if(grid.rows.begin(), grid.rows.end(),
                             [&](const ExpectedRow& r) { return r.criterion == criterion; });
            EXPECT_EQ(GridRowOf(grid.kind, criterion), want == grid.rows.end() ? 0 : want->row)
                << "criterion " << static_cast<int>(criterion);
        }
    }
}

TEST(OptionGridRowsTest, AFreshGridSearchesAllLibrariesForNothingElse) {
    for (const Grid& grid : kGrids) {
        SCOPED_TRACE(static_cast<int>(grid.kind));
        const std::vector<std::string> values = FreshGridValues(grid.kind);
        ASSERT_EQ(values.size(), grid.rows.size());
        for (std::size_t i = 0; i < values.size(); ++i)
            EXPECT_EQ(values[i], i == 1 ? "[ALL LIBRARIES]" : "") << "row " << i + 1;
    }
}

TEST(OptionGridRowsTest, AValueGoesIntoItsCriterionsRowOfTheKind) {
    std::vector<std::string> values = FreshGridValues(LibraryKind::Package);
    EXPECT_TRUE(SetGridValue(values, LibraryKind::Package, C::JedecName, "MS-001"));
    EXPECT_TRUE(SetGridValue(values, LibraryKind::Package, C::Type, "PMD*"));
    EXPECT_EQ(values, (std::vector<std::string>{"", "[ALL LIBRARIES]", "", "PMD*", "MS-001"}));

    EXPECT_FALSE(SetGridValue(values, LibraryKind::Package, C::Manufacturer, "Acme"));
    EXPECT_EQ(values[3], "PMD*") << "a criterion the kind lacks changes nothing";

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
    EXPECT_EQ(LibraryListEntries(catalogue, LibraryKind::Part),
              (std::vector<std::string>{"[ALL LIBRARIES]", "[PROJECT LIBRARY]"}));
}

} // namespace
} // namespace k2k
