#include "search/SearchCriteria.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

// A part library record as a search sees it; the info text outlives the views.
struct Part {
    std::string info;
    PartResult result;
    Part(std::string_view name, std::string_view package,
         std::array<std::string_view, kPartInfoFields> fields = {})
        : info(ComposePartInfo(package, fields)), result(MakePartResult("TTL.PART", name, info)) {}
};

PreparedCriteria Prepare(LibraryKind kind, std::vector<std::string> rows, bool matchCase = false,
                         bool numeric = false) {
    auto prepared = PreparedCriteria::Prepare(SearchCriteria(kind, rows), matchCase, numeric);
    EXPECT_TRUE(prepared) << prepared.Message();
    return *prepared;
}

using C = SearchCriterion;

// A kind's grid values, row 1 first, with these criteria filled: {criterion, text}.
std::vector<std::string> Values(LibraryKind kind,
                                std::initializer_list<std::pair<C, std::string>> criteria) {
    std::vector<std::string> values(static_cast<std::size_t>(CriteriaRows(kind)));
    for (const auto& [criterion, text] : criteria)
        values[static_cast<std::size_t>(CriterionRow(kind, criterion) - 1)] = text;
    return values;
}

PreparedCriteria PartCriteria(std::initializer_list<std::pair<C, std::string>> criteria,
                              bool matchCase = false, bool numeric = false) {
    return Prepare(LibraryKind::Part, Values(LibraryKind::Part, criteria), matchCase, numeric);
}

const SearchOptions kAny{false, false, kConditionAny};
const SearchOptions kAll{false, false, kConditionAll};

TEST(SearchCriteriaTest, TheWholeNameMustMatch) {
    const Part sn7400("SN7400N", "DIP14");
    EXPECT_FALSE(TestPart(PartCriteria({{C::Name, "7400"}}), kAny, sn7400.result));
    EXPECT_TRUE(TestPart(PartCriteria({{C::Name, " *7400* "}}), kAny, sn7400.result));
}

TEST(SearchCriteriaTest, ConditionAnyStopsAtTheFirstThatHoldsAndAllAtTheFirstThatFails) {
    const Part part("74LS00", "", {"Quad NAND"});
    const auto starAndPackage =
        PartCriteria({{C::Name, "*"}, {C::Package, "A*"}, {C::Description, "X"}});
    EXPECT_TRUE(TestPart(starAndPackage, kAny, part.result)) << "the name * holds";
    EXPECT_FALSE(TestPart(starAndPackage, kAll, part.result)) << "an empty package fails A*";
    const auto starPackage = PartCriteria({{C::Name, "*"}, {C::Package, "*"}});
    EXPECT_TRUE(TestPart(starPackage, kAll, part.result)) << "an empty package passes *";
    const auto nothingHolds = PartCriteria({{C::Name, "X*"}, {C::Description, "Y*"}});
    EXPECT_FALSE(TestPart(nothingHolds, kAny, part.result));
}

TEST(SearchCriteriaTest, CaseMattersOnlyWhenMatchCaseIsOn) {
    const Part part("SN7400", "DIP14");
    EXPECT_TRUE(TestPart(PartCriteria({{C::Name, "sn74*"}}), kAny, part.result));
    const SearchOptions matchCase{true, false, kConditionAny};
    EXPECT_FALSE(TestPart(PartCriteria({{C::Name, "sn74*"}}, true), matchCase, part.result));
    const Part lower("sn7400", "DIP14");
    EXPECT_TRUE(TestPart(PartCriteria({{C::Name, "sn74*"}}, true), matchCase, lower.result));
}

TEST(SearchCriteriaTest, NumericSearchComparesDigitsAndWildcardsOnly) {
    const auto criteria = PartCriteria({{C::Name, "74LS00"}}, false, true);
    EXPECT_EQ(criteria[C::Name].text, "*7400*");
    const SearchOptions numeric{false, true, kConditionAny};
    EXPECT_TRUE(TestPart(criteria, numeric, Part("SN74LS00N", "DIP14").result));
    EXPECT_TRUE(TestPart(criteria, numeric, Part("74HC00", "DIP14").result));
    EXPECT_FALSE(TestPart(criteria, numeric, Part("74HC02", "DIP14").result));
}

TEST(SearchCriteriaTest, ListsCountMatchingPairsAgainstTheNumberOfItems) {
    const auto symbols = PartCriteria({{C::Name, "X"}, {C::Symbol, "7400, 7402"}});
    const Part both("A", "DIP14", {"", "", "", "", "", "", "", "", "", "7400,7402,7404"});
    const Part one("B", "DIP14", {"", "", "", "", "", "", "", "", "", "7400"});
    EXPECT_TRUE(TestPart(symbols, kAny, both.result));
    EXPECT_FALSE(TestPart(symbols, kAny, one.result));

    // Two values matching one item count as two: A*,B holds for A1,A2.
    Criterion criterion;
    criterion.text = "A*,B";
    criterion.items = {*Pattern::Compile("A*"), *Pattern::Compile("B")};
    EXPECT_TRUE(CompareMultiType("A1,A2", criterion, false));
    EXPECT_FALSE(CompareMultiType("A1", criterion, false));
    EXPECT_TRUE(CompareMultiType(" B , A1 ", criterion, false)) << "values are trimmed";
}

TEST(SearchCriteriaTest, SimulationReferencesCompareOnePieceOfEachReference) {
    Criterion q;
    q.text = "Q*";
    q.pattern = *Pattern::Compile("Q*");
    EXPECT_TRUE(CompareKdspiceString("D1\\M1\\V1,QN\\M2\\V2", q, 1, false));
    EXPECT_FALSE(CompareKdspiceString("D1\\M1\\V1,QN\\M2\\V2", q, 2, false));
    Criterion m2;
    m2.text = "M2";
    m2.pattern = *Pattern::Compile("M2");
    EXPECT_TRUE(CompareKdspiceString("D1\\M1\\V1, QN \\ M2 \\V2", m2, 2, false));
    Criterion any;
    any.text = "*";
    any.pattern = *Pattern::Compile("*");
    EXPECT_TRUE(CompareKdspiceString("R", any, 3, false)) << "a missing piece is empty";

    const auto variant = PartCriteria({{C::Name, "X"}, {C::Variant, "ls"}});
    const Part nand("74LS00", "DIP14", {"", "", "", "", "", "", "", "", "A\\D_NAND\\LS", ""});
    EXPECT_TRUE(TestPart(variant, kAny, nand.result));
}

TEST(SearchCriteriaTest, SymbolTypesArePatternsUnderAnyAndListsUnderAll) {
    std::vector<std::string> rows =
        Values(LibraryKind::Symbol, {{C::Name, "*"}, {C::Type, "Digital,Gates"}});
    const auto criteria = Prepare(LibraryKind::Symbol, rows);
    const std::string info = ComposeInfo({"NAND", "Digital,Gates,NAND", "", ""});
    const SymbolResult symbol = MakeSymbolResult("LOGIC.SYMBOL", "7400", info);
    // Under "all" the type is a list: both items find a value.
    EXPECT_TRUE(TestSymbol(criteria, kAll, symbol));
    rows[CriterionRow(LibraryKind::Symbol, C::Name) - 1] = "X";
    const auto typeOnly = Prepare(LibraryKind::Symbol, rows);
    // Under "any" the type is one pattern, which the whole attribute does not match.
    EXPECT_FALSE(TestSymbol(typeOnly, kAny, symbol));
}

TEST(SearchCriteriaTest, PadstacksCompareTypeAndShape) {
    std::vector<std::string> rows = {"*", "", "Through-hole,*", "round"};
    const auto criteria = Prepare(LibraryKind::Padstack, rows);
    const std::string info = ComposeInfo({"", "Through-hole,Round", "Round"});
    EXPECT_TRUE(TestPadstack(criteria, kAll, MakePackageResult("THOLE.PADSTACK", "PAD60R", info)));
    const std::string square = ComposeInfo({"", "Through-hole,Square", "Square"});
    EXPECT_FALSE(TestPadstack(criteria, kAll, MakePackageResult("THOLE.PADSTACK", "P", square)));
}

TEST(SearchCriteriaTest, TheLibraryChoosesLibrariesAndInvalidPatternsAreRefused) {
    const auto criteria = PartCriteria({{C::Name, "*"}, {C::Library, " ttl.part "}});
    EXPECT_EQ(criteria.LibraryChoice(), "TTL.PART");
    EXPECT_TRUE(criteria[C::Library].Empty()) << "never compared with an object";

    std::vector<std::string> rows = Values(LibraryKind::Part, {{C::Name, "74[LS"}});
    EXPECT_EQ(
        PreparedCriteria::Prepare(SearchCriteria(LibraryKind::Part, rows), false, false).Message(),
        "Invalid pattern \"74[LS\": the \"[\" at position 3 is never closed");
    rows[0] = "*";
    rows[CriterionRow(LibraryKind::Part, C::Symbol) - 1] =
        "[a,b]"; // a list: its items "[a" and "b]" are read apart
    EXPECT_FALSE(PreparedCriteria::Prepare(SearchCriteria(LibraryKind::Part, rows), false, false));
}

} // namespace
} // namespace k2k
