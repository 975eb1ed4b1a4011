// The keyword criterion checked against a second, deliberately plain reading of its rule: a
// recursive matcher of the pattern language written here, and the list rule spelt out (the
// attribute and the criterion split at ",", each pair of a trimmed value and a trimmed item
// that matches counted, the count reaching the number of items). Many generated keyword
// lists and patterns go through the criteria and through a whole search of a library.

#include "search/SearchCriteria.h"
#include "search/SearchEngine.h"
#include "support/SmallSuite.h"

#include <gtest/gtest.h>

#include <random>

namespace k2k {
namespace {

using C = SearchCriterion;

// The members of a bracket list, "a-c" standing for a, b and c.
bool InList(std::string_view list, char c) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i + 2 < list.size() && list[i + 1] == '-') {
            if (c >= list[i] && c <= list[i + 2])
                return true;
            i += 2;
        } else if (list[i] == c) {
            return true;
        }
    }
    return false;
}

// Whether the whole text matches the pattern, tried every way.
bool PlainMatch(std::string_view p, std::string_view t) {
    if (p.empty())
        return t.empty();
    if (p[0] == '*')
        return PlainMatch(p.substr(1), t) || (!t.empty() && PlainMatch(p, t.substr(1)));
    if (p[0] == '[') {
        const std::size_t close = p.find(']', 1);
        if (close == 1) // "[]" is no character at all
            return PlainMatch(p.substr(2), t);
        if (t.empty())
            return false;
        std::string_view list = p.substr(1, close - 1);
        const bool negated = list[0] == '!';
        if (negated)
            list.remove_prefix(1);
        return InList(list, t[0]) != negated && PlainMatch(p.substr(close + 1), t.substr(1));
    }
    if (t.empty())
        return false;
    const bool one = p[0] == '?' || (p[0] == '#' && t[0] >= '0' && t[0] <= '9') || p[0] == t[0];
    return one && PlainMatch(p.substr(1), t.substr(1));
}

std::vector<std::string> SplitTrimmed(const std::string& text) {
    std::vector<std::string> pieces;
    std::size_t from = 0;
    while (true) {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        std::string piece = text.substr(from, comma - from);
        piece.erase(0, piece.find_first_not_of(' '));
        piece.erase(piece.find_last_not_of(' ') + 1);
        pieces.push_back(piece);
        if (comma == text.size())
            return pieces;
        from = comma + 1;
    }
}

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// The verdict of the rule on a part's keywords, the criterion as typed (trimmed).
bool PlainVerdict(const std::string& keywords, std::string criterion, bool matchCase) {
    const std::string attribute = matchCase ? keywords : Upper(keywords);
    if (!matchCase)
        criterion = Upper(criterion);
    const std::vector<std::string> items = SplitTrimmed(criterion);
    std::size_t pairs = 0;
    for (const std::string& item : items)
        for (const std::string& value : SplitTrimmed(attribute))
            pairs += PlainMatch(item, value) ? 1 : 0;
    return pairs >= items.size();
}

// Keyword lists and criteria of a few letters in both cases, digits, blanks and commas, and
// patterns of every wildcard, so that matches and misses both come often.
class Generator {
public:
    std::string Keywords() {
        std::string list;
        const int count = Below(5);
        for (int i = 0; i < count; ++i) {
            list += i == 0 ? "" : (Below(4) == 0 ? " , " : ",");
            for (int n = Below(4); n > 0; --n)
                list += "abAB1 "[Below(6)];
        }
        return list;
    }
    std::string Criterion() {
        static constexpr std::string_view kTokens[] = {
            "*", "?", "#", "[a-c]", "[!a]", "a", "b", "A", "B", "1", " ", "[A-B]", "[1-]", "[]"};
        std::string text;
        for (int item = 1 + Below(3); item > 0; --item) {
            text += text.empty() ? "" : ",";
            for (int n = 1 + Below(4); n > 0; --n)
                text += kTokens[Below(std::size(kTokens))];
        }
        // The grid's value is trimmed, and an empty one is not tested.
        const auto first = text.find_first_not_of(' ');
        if (first == std::string::npos)
            return "*";
        return text.substr(first, text.find_last_not_of(' ') + 1 - first);
    }

private:
    int Below(std::size_t n) { return static_cast<int>(m_random() % n); }
    std::mt19937 m_random{20261208};
};

// The grid values of a part search by name and keywords in a library.
std::vector<std::string> Values(const std::string& name, const std::string& keywords,
                                const std::string& library = "[ALL LIBRARIES]") {
    std::vector<std::string> values(static_cast<std::size_t>(CriteriaRows(LibraryKind::Part)));
    values[static_cast<std::size_t>(CriterionRow(LibraryKind::Part, C::Name) - 1)] = name;
    values[static_cast<std::size_t>(CriterionRow(LibraryKind::Part, C::Library) - 1)] = library;
    values[static_cast<std::size_t>(CriterionRow(LibraryKind::Part, C::Keywords) - 1)] = keywords;
    return values;
}

// The keyword criterion decides alone: under condition 0 after a name that fails, under 1
// after a name that holds; both conditions must give the rule's verdict.
TEST(KeywordSearchTest, TheCriteriaAgreeWithThePlainRuleOnGeneratedListsAndPatterns) {
    Generator generate;
    int matched = 0;
    constexpr int kCases = 4000;
    for (int n = 0; n < kCases; ++n) {
        const std::string keywords = generate.Keywords();
        const std::string criterion = generate.Criterion();
        const std::string info = ComposePartInfo("", {}, {keywords});
        const PartResult part = MakePartResult("K.PART", "P", info);
        for (const bool matchCase : {false, true}) {
            const bool expected = PlainVerdict(keywords, criterion, matchCase);
            matched += expected ? 1 : 0;
            for (const auto& [name, condition] :
                 {std::pair{"Q", kConditionAny}, std::pair{"*", kConditionAll}}) {
                auto prepared = PreparedCriteria::Prepare(
                    SearchCriteria(LibraryKind::Part, Values(name, criterion)), matchCase, false);
                ASSERT_TRUE(prepared) << prepared.Message();
                EXPECT_EQ(TestPart(*prepared, {matchCase, false, condition}, part), expected)
                    << "keywords \"" << keywords << "\", criterion \"" << criterion
                    << "\", match case " << matchCase << ", condition " << condition;
            }
        }
    }
    EXPECT_GT(matched, kCases / 5) << "the cases find parts often enough to tell";
    EXPECT_LT(matched, 2 * kCases - kCases / 5) << "and miss them often enough";
}

class KeywordEngineTest : public test::OpenedSmallSuiteTest {
protected:
    void PrepareSuite() override {
        Generator generate;
        for (int i = 0; i < 300; ++i) {
            m_keywords.push_back(generate.Keywords());
            m_parts.push_back(
                {"K" + std::to_string(i), ComposePartInfo("", {}, {m_keywords[i]}), ""});
        }
        test::WriteSuiteLibrary(m_dir.Path(), "EMPTY.PART", LibraryKind::Part, m_parts);
    }

    std::vector<std::string> m_keywords;
    std::vector<LibraryObject> m_parts;
};

// A whole search finds the parts of a library whose keywords the rule accepts, in order.
TEST_F(KeywordEngineTest, ASearchFindsThePartsThePlainRuleAccepts) {
    SearchState state;
    SearchOptions options;
    test::HookedFeedback feedback;
    SearchEngine engine{m_kernel, m_services, m_catalogue, m_libraryDir, state, options, feedback};
    Generator generate;
    for (int n = 0; n < 60; ++n) {
        const std::string criterion = generate.Criterion();
        options = {n % 2 == 0, false, n % 4 < 2 ? kConditionAny : kConditionAll};
        std::vector<std::string> expected;
        for (std::size_t i = 0; i < m_parts.size(); ++i)
            if (PlainVerdict(m_keywords[i], criterion, options.matchCase))
                expected.push_back(m_parts[i].name);
        engine.NewSearch(LibraryKind::Part);
        ASSERT_EQ(engine.FindNow(LibraryKind::Part,
                                 Values(options.condition == kConditionAny ? "Q" : "K*", criterion,
                                        "EMPTY.PART")),
                  SearchOutcome::Searched);
        const ResultList& results = state.Results(LibraryKind::Part);
        std::vector<std::string> found;
        for (int i = 1; i <= results.Count(); ++i)
            found.emplace_back(results.Name(i));
        EXPECT_EQ(found, expected) << "criterion \"" << criterion << "\"";
    }
}

} // namespace
} // namespace k2k
