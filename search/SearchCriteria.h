#pragma once
// What a search looks for. The criteria are the trimmed texts of the option grid of a
// kind, read by row number; an empty criterion is not tested. They are prepared once per
// search: upper-cased unless the search matches case, the name turned into its numeric
// form for a numeric search, and every pattern compiled. The search options are read at
// every test, so a change of a check box during a search applies to the objects tested
// after it.
//
// An object is tested on a copy of its attributes (upper-cased unless the search matches
// case, the name reduced to its digits and wildcards for a numeric search), criterion by
// criterion in the kind's fixed order. Under condition 0 the first criterion that holds
// makes the object match; under condition 1 the first that does not hold makes it fail.

#include "common/Pattern.h"
#include "formats/LibraryFile.h"
#include "search/ResultList.h"
#include "system/Result.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

// Every criterion that some kind offers. Type stands for the symbol, package and padstack
// type as well as the part type.
enum class SearchCriterion : unsigned char {
    Name,
    Library,
    Description,
    Symbol,
    Package,
    PackageType,
    Manufacturer,
    Technology,
    Type,
    ExternalIndexCode,
    SimulationFunction,
    SimulationRef,
    ElementCode,
    ModelCode,
    Variant,
    JedecName,
    Shape,
    Keywords, // a part's keywords, a list in both conditions
};
inline constexpr std::size_t kSearchCriteria = 18;

// The criteria of a kind in the order of the rows of its option grid: the grid's row n (from
// 1) holds criterion n. Name is row 1 and the library row 2 in every kind.
std::span<const SearchCriterion> CriteriaOf(LibraryKind kind) noexcept;
// The number of criteria rows of a kind (16, 8, 5, 4).
int CriteriaRows(LibraryKind kind) noexcept;
// The row of a criterion in a kind's grid; 0 when the kind has no such criterion.
int CriterionRow(LibraryKind kind, SearchCriterion criterion) noexcept;

inline constexpr int kConditionAny = 0; // any criterion suffices
inline constexpr int kConditionAll = 1; // all criteria must hold

struct SearchOptions {
    bool matchCase = false;
    bool numeric = false;
    int condition = kConditionAny;
    bool operator==(const SearchOptions&) const = default;
};

// The criteria of one kind, trimmed, by row number from 1.
class SearchCriteria final {
public:
    // values[0] is row 1; missing rows are empty, but for the library, which is then
    // "[ALL LIBRARIES]" as in a fresh grid.
    SearchCriteria(LibraryKind kind, const std::vector<std::string>& values);

    LibraryKind Kind() const noexcept { return m_kind; }
    const std::string& Row(int row) const;
    const std::string& Name() const { return Row(1); }
    const std::string& Library() const { return Row(2); }

private:
    LibraryKind m_kind;
    std::vector<std::string> m_rows; // m_rows[0] unused
};

// One prepared criterion: its text and the patterns compiled from it.
struct Criterion {
    std::string text;               // empty: not tested
    std::optional<Pattern> pattern; // the whole text
    std::vector<Pattern> items;     // the items between commas, trimmed, for lists
    bool Empty() const noexcept { return text.empty(); }
};

class PreparedCriteria final {
public:
    // Upper-cases unless matchCase, gives the name its numeric form when numeric, and
    // compiles the patterns each criterion is compared by. A problem whose message is for the
    // user when a criterion is not a valid pattern.
    static Result<PreparedCriteria> Prepare(const SearchCriteria& criteria, bool matchCase,
                                            bool numeric);

    LibraryKind Kind() const noexcept { return m_kind; }
    const Criterion& operator[](SearchCriterion criterion) const noexcept {
        return m_criteria[static_cast<std::size_t>(criterion)];
    }
    // The library criterion, trimmed and upper-cased, which chooses the libraries.
    const std::string& LibraryChoice() const noexcept { return m_library; }
    // True when the name is the only criterion: a test then needs no info text.
    bool NameOnly() const noexcept { return m_nameOnly; }

private:
    LibraryKind m_kind = LibraryKind::Part;
    std::array<Criterion, kSearchCriteria> m_criteria; // by criterion; empty where not tested
    std::string m_library;
    bool m_nameOnly = true;
};

// The list comparison: every pair of a value of the attribute and an item of the
// criterion (both split at "," and trimmed) that matches counts; the attribute holds when
// the count reaches the number of items. An empty attribute is one empty value.
bool CompareMultiType(std::string_view attribute, const Criterion& criterion, bool upper);

// The simulation-reference comparison: the attribute's references (split at ",") are split
// at "\" and the piece at position (1 element code, 2 model code, 3 variant), trimmed, is
// matched; one match makes the attribute hold.
bool CompareKdspiceString(std::string_view attribute, const Criterion& criterion, int position,
                          bool upper);

// The test of a name-only search, with any kind's criteria.
bool TestName(const PreparedCriteria& criteria, const SearchOptions& options,
              std::string_view name);
bool TestPart(const PreparedCriteria& criteria, const SearchOptions& options,
              const PartResult& part);
bool TestSymbol(const PreparedCriteria& criteria, const SearchOptions& options,
                const SymbolResult& symbol);
bool TestPackage(const PreparedCriteria& criteria, const SearchOptions& options,
                 const PackageResult& package);
bool TestPadstack(const PreparedCriteria& criteria, const SearchOptions& options,
                  const PackageResult& padstack);

} // namespace k2k
