#include "search/ResultList.h"

#include "support/SmallSuite.h"
#include "system/Text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace k2k {
namespace {

using Texts = std::vector<std::string>;

// A view model keeps the texts it was handed while the search goes on appending, so every
// text must outlive later appends (the sanitizer build reports a read of freed memory).
TEST(ResultListTest, TextsStayValidWhileResultsAreAppendedAndRemoved) {
    ResultList results(LibraryKind::Part);
    results.Append("A.PART", "74LS00", test::PartInfo("DIP14", "NAND", "7400"), 0, 0);
    const std::string_view library = results.Library(1);
    const std::string_view name = results.Name(1);
    const PartResult part = results.Part(1);
    for (int i = 0; i < 200; ++i) // short names, one new library each
        results.Append("L" + DecimalText(i), "X", "", 0, 0);
    results.RemoveIf([](int i) { return i < 100; });
    EXPECT_EQ(library, "A.PART");
    EXPECT_EQ(name, "74LS00");
    EXPECT_EQ(part.library, "A.PART");
    EXPECT_EQ(part.package, "DIP14");
    EXPECT_EQ(results.Library(results.Count()), "L199");
}

class ResultListRowsTest : public ::testing::Test {
protected:
    // name, library, colour
    void Add(std::string_view name, std::string_view library, int colour = 0) {
        results.Append(library, name, test::PartInfo("DIP14", std::string(name) + " gate", "7400"),
                       0, colour);
    }

    Texts Names() const {
        Texts names;
        for (int i = 1; i <= results.Count(); ++i)
            names.emplace_back(results.Name(i));
        return names;
    }
    // The names as the view shows them, row 1 first.
    Texts Shown() const {
        Texts names;
        for (int row = 1; row <= results.Rows().Count(); ++row)
            names.emplace_back(results.Name(results.Rows().Result(row)));
        return names;
    }

    ResultList results{LibraryKind::Part};
};

TEST_F(ResultListRowsTest, ManyResultsGoInOnePassAndTheRestMoveUp) {
    for (const char* name : {"A", "B", "C", "D", "E", "F"})
        Add(name, "L.PART", name[0] - 'A');
    EXPECT_EQ(results.RemoveIf([this](int i) { return results.Name(i) < "C" || i == 5; }), 3);
    EXPECT_EQ(Names(), (Texts{"C", "D", "F"}));
    EXPECT_EQ(results.Colour(3), 5) << "a row keeps its colour when it moves up";
    EXPECT_EQ(results.Remove(std::vector<int>{3, 1, 3}), 2) << "any order, once each";
    EXPECT_EQ(Names(), (Texts{"D"}));
    EXPECT_THROW(results.Remove(std::vector<int>{2}), std::out_of_range);
    EXPECT_EQ(Names(), (Texts{"D"})) << "a bad number removes nothing";
    results.Remove(1);
    EXPECT_TRUE(results.Empty());
    EXPECT_EQ(results.Rows().Count(), 0);
}

TEST_F(ResultListRowsTest, SortingOrdersTheRowsAndNeverTheResults) {
    Add("b2", "Y.PART");
    Add("B1", "X.PART");
    Add("a", "Y.PART");
    Add("B1", "Y.PART");
    Add("\xC4", "X.PART"); // A with diaeresis, above every ASCII letter
    EXPECT_TRUE(results.Rows().InResultOrder());
    EXPECT_EQ(Shown(), Names());

    results.SortRowsByName(true);
    EXPECT_EQ(Shown(), (Texts{"B1", "B1", "a", "b2", "\xC4"})) << "plain text, no case folding";
    EXPECT_EQ(results.Rows().Result(1), 2) << "equal names keep result order";
    EXPECT_EQ(results.Rows().Result(2), 4);
    EXPECT_EQ(Names(), (Texts{"b2", "B1", "a", "B1", "\xC4"})) << "the results never move";

    results.SortRowsByName(false);
    EXPECT_EQ(Shown(), (Texts{"\xC4", "b2", "a", "B1", "B1"}));
    EXPECT_EQ(results.Rows().Result(4), 2) << "descending keeps equal rows in their order";

    // By name, then by library: the libraries in order, each one's parts by name.
    results.SortRowsByName(true);
    results.SortRows([](const ResultList& list, int i) { return list.Library(i); }, true);
    EXPECT_EQ(Shown(), (Texts{"B1", "\xC4", "B1", "a", "b2"}));
    results.SortRows([](const ResultList& list, int i) { return list.Part(i).description; }, false);
    EXPECT_EQ(Shown(), (Texts{"\xC4", "b2", "a", "B1", "B1"})) << "any text column";

    results.UnsortRows();
    EXPECT_EQ(Shown(), Names());
}

TEST_F(ResultListRowsTest, TextsThatStartAlikeSortByTheirWholeText) {
    using namespace std::string_view_literals;
    for (const std::string_view name :
         {"SN74HC245N"sv, "SN74HC24"sv, "SN74HC244N"sv, "SN74HC24\0"sv, "SN74HC2"sv})
        Add(name, "L.PART");
    results.SortRowsByName(true);
    EXPECT_EQ(Shown(), (Texts{"SN74HC2", "SN74HC24", std::string("SN74HC24\0", 9), "SN74HC244N",
                              "SN74HC245N"}));
}

TEST_F(ResultListRowsTest, ManyEqualKeysKeepTheirOrderBothWays) {
    // Enough rows that the sort partitions rather than inserts one by one.
    for (int i = 0; i < 500; ++i)
        Add(std::string(1, static_cast<char>('A' + i * 7 % 3)), "L.PART");
    for (const bool ascending : {true, false}) {
        results.SortRowsByName(ascending);
        for (int row = 2; row <= results.Count(); ++row) {
            const int before = results.Rows().Result(row - 1);
            const int here = results.Rows().Result(row);
            const auto first = results.Name(before);
            const auto second = results.Name(here);
            ASSERT_TRUE(first == second ? before < here : (first < second) == ascending)
                << "row " << row << (ascending ? " ascending" : " descending");
        }
    }
}

TEST_F(ResultListRowsTest, AppendsAndRemovalsKeepTheRowOrder) {
    for (const char* name : {"D", "B", "E", "A", "C"})
        Add(name, "L.PART");
    results.SortRowsByName(true);
    Add("0", "L.PART"); // found while the view is sorted: shown last
    EXPECT_EQ(Shown(), (Texts{"A", "B", "C", "D", "E", "0"}));
    EXPECT_EQ(results.Rows().Result(6), 6);

    results.RemoveIf([this](int i) { return results.Name(i) == "B" || results.Name(i) == "E"; });
    EXPECT_EQ(Names(), (Texts{"D", "A", "C", "0"}));
    EXPECT_EQ(Shown(), (Texts{"A", "C", "D", "0"})) << "rows point at the renumbered results";
    EXPECT_THROW(results.Rows().Result(5), std::out_of_range);

    results.Clear();
    Add("Z", "L.PART");
    EXPECT_TRUE(results.Rows().InResultOrder());
    EXPECT_EQ(Shown(), (Texts{"Z"}));
}

} // namespace
} // namespace k2k
