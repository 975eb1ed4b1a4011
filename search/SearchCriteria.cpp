#include "search/SearchCriteria.h"

#include "system/Text.h"

namespace k2k {

namespace {

// How a criterion is compared with its attribute.
enum class Compare : unsigned char {
    Pattern,
    List,
    PatternOrList, // a pattern under condition 0, a list under condition 1
    Position1,
    Position2,
    Position3,
};

using C = SearchCriterion;

constexpr SearchCriterion kPartCriteria[] = {C::Name,
                                             C::Library,
                                             C::Description,
                                             C::Symbol,
                                             C::Package,
                                             C::PackageType,
                                             C::Manufacturer,
                                             C::Technology,
                                             C::Type,
                                             C::ExternalIndexCode,
                                             C::SimulationFunction,
                                             C::SimulationRef,
                                             C::ElementCode,
                                             C::ModelCode,
                                             C::Variant,
                                             C::Keywords};
constexpr SearchCriterion kSymbolCriteria[] = {
    C::Name,        C::Library,   C::Description, C::Type, C::SimulationFunction,
    C::ElementCode, C::ModelCode, C::Variant};
constexpr SearchCriterion kPackageCriteria[] = {C::Name, C::Library, C::Description, C::Type,
                                                C::JedecName};
constexpr SearchCriterion kPadstackCriteria[] = {C::Name, C::Library, C::Type, C::Shape};

template <class Result>
struct Step {
    SearchCriterion criterion;
    std::string_view Result::*attribute;
    Compare compare;
};

// The criteria that are compared as lists need their items compiled as well.
bool UsesItems(LibraryKind kind, SearchCriterion criterion) {
    switch (kind) {
    case LibraryKind::Part:
        return criterion == C::Type || criterion == C::SimulationFunction ||
               criterion == C::Symbol || criterion == C::Keywords;
    case LibraryKind::Symbol:
        return criterion == C::Type || criterion == C::SimulationFunction;
    case LibraryKind::Package:
        return criterion == C::Type;
    case LibraryKind::Padstack:
        return criterion == C::Type || criterion == C::Shape;
    }
    return false;
}

// Part's list criteria are lists in both conditions; their whole text is never a pattern.
bool UsesWholePattern(LibraryKind kind, SearchCriterion criterion) {
    return !(kind == LibraryKind::Part && UsesItems(kind, criterion));
}

// Piece position (from 1) of a reference split at "\"; a reference with fewer pieces has
// an empty one there.
std::string_view PieceAt(std::string_view reference, int position) {
    std::size_t from = 0;
    for (int p = 1; p < position; ++p) {
        const std::size_t slash = reference.find('\\', from);
        if (slash == std::string_view::npos)
            return {};
        from = slash + 1;
    }
    const std::size_t end = reference.find('\\', from);
    return reference.substr(from, end == std::string_view::npos ? end : end - from);
}

bool Matches(const Pattern& pattern, std::string_view text, bool upper) {
    return upper ? pattern.MatchesUpperCased(text) : pattern.Matches(text);
}

bool Holds(const Criterion& criterion, Compare compare, std::string_view attribute,
           const SearchOptions& options, bool isName) {
    const bool upper = !options.matchCase;
    std::string digits;
    if (isName && options.numeric) {
        digits = DigitsAndWildcards(attribute);
        attribute = digits;
    }
    switch (compare) {
    case Compare::Pattern:
        return Matches(*criterion.pattern, attribute, upper);
    case Compare::List:
        return CompareMultiType(attribute, criterion, upper);
    case Compare::PatternOrList:
        return options.condition == kConditionAny ? Matches(*criterion.pattern, attribute, upper)
                                                  : CompareMultiType(attribute, criterion, upper);
    case Compare::Position1:
        return CompareKdspiceString(attribute, criterion, 1, upper);
    case Compare::Position2:
        return CompareKdspiceString(attribute, criterion, 2, upper);
    case Compare::Position3:
        return CompareKdspiceString(attribute, criterion, 3, upper);
    }
    return false;
}

template <class Result, std::size_t N>
bool Evaluate(const PreparedCriteria& criteria, const SearchOptions& options,
              const std::array<Step<Result>, N>& steps, const Result& result) {
    const bool all = options.condition != kConditionAny;
    for (const Step<Result>& step : steps) {
        const Criterion& criterion = criteria[step.criterion];
        if (criterion.Empty())
            continue;
        const bool holds = Holds(criterion, step.compare, result.*step.attribute, options,
                                 step.criterion == C::Name);
        if (!all && holds)
            return true;
        if (all && !holds)
            return false;
    }
    return all;
}

constexpr std::array<Step<PartResult>, 15> kPartSteps = {{
    {C::Name, &PartResult::name, Compare::Pattern},
    {C::Package, &PartResult::package, Compare::Pattern},
    {C::Description, &PartResult::description, Compare::Pattern},
    {C::ExternalIndexCode, &PartResult::externalIndexCode, Compare::Pattern},
    {C::SimulationRef, &PartResult::simulationRef, Compare::Pattern},
    {C::Manufacturer, &PartResult::manufacturer, Compare::Pattern},
    {C::Type, &PartResult::partType, Compare::List},
    {C::Technology, &PartResult::technology, Compare::Pattern},
    {C::PackageType, &PartResult::packageType, Compare::Pattern},
    {C::SimulationFunction, &PartResult::simulationFunction, Compare::List},
    {C::ElementCode, &PartResult::simulationReferences, Compare::Position1},
    {C::ModelCode, &PartResult::simulationReferences, Compare::Position2},
    {C::Variant, &PartResult::simulationReferences, Compare::Position3},
    {C::Symbol, &PartResult::symbols, Compare::List},
    {C::Keywords, &PartResult::keywords, Compare::List},
}};

constexpr std::array<Step<SymbolResult>, 7> kSymbolSteps = {{
    {C::Name, &SymbolResult::name, Compare::Pattern},
    {C::Description, &SymbolResult::description, Compare::Pattern},
    {C::Type, &SymbolResult::symbolType, Compare::PatternOrList},
    {C::SimulationFunction, &SymbolResult::simulationFunction, Compare::PatternOrList},
    {C::ElementCode, &SymbolResult::simulationReferences, Compare::Position1},
    {C::ModelCode, &SymbolResult::simulationReferences, Compare::Position2},
    {C::Variant, &SymbolResult::simulationReferences, Compare::Position3},
}};

constexpr std::array<Step<PackageResult>, 4> kPackageSteps = {{
    {C::Name, &PackageResult::name, Compare::Pattern},
    {C::Description, &PackageResult::description, Compare::Pattern},
    {C::Type, &PackageResult::type, Compare::PatternOrList},
    {C::JedecName, &PackageResult::lastField, Compare::Pattern},
}};

constexpr std::array<Step<PackageResult>, 3> kPadstackSteps = {{
    {C::Name, &PackageResult::name, Compare::Pattern},
    {C::Type, &PackageResult::type, Compare::PatternOrList},
    {C::Shape, &PackageResult::lastField, Compare::PatternOrList},
}};

} // namespace

std::span<const SearchCriterion> CriteriaOf(LibraryKind kind) noexcept {
    switch (kind) {
    case LibraryKind::Part:
        return kPartCriteria;
    case LibraryKind::Symbol:
        return kSymbolCriteria;
    case LibraryKind::Package:
        return kPackageCriteria;
    case LibraryKind::Padstack:
        return kPadstackCriteria;
    }
    return {};
}

int CriteriaRows(LibraryKind kind) noexcept {
    return static_cast<int>(CriteriaOf(kind).size());
}

int CriterionRow(LibraryKind kind, SearchCriterion criterion) noexcept {
    const auto criteria = CriteriaOf(kind);
    for (std::size_t i = 0; i < criteria.size(); ++i)
        if (criteria[i] == criterion)
            return static_cast<int>(i) + 1;
    return 0;
}

SearchCriteria::SearchCriteria(LibraryKind kind, const std::vector<std::string>& values)
    : m_kind(kind), m_rows(static_cast<std::size_t>(CriteriaRows(kind)) + 1) {
    for (std::size_t i = 0; i < values.size() && i + 1 < m_rows.size(); ++i)
        m_rows[i + 1] = std::string(Trim(values[i]));
    // A grid always shows a library; without one, all libraries are searched, as a fresh
    // grid says.
    if (values.size() < 2)
        m_rows[2] = "[ALL LIBRARIES]";
}

const std::string& SearchCriteria::Row(int row) const {
    static const std::string kEmpty;
    if (row < 1 || static_cast<std::size_t>(row) >= m_rows.size())
        return kEmpty;
    return m_rows[static_cast<std::size_t>(row)];
}

Result<PreparedCriteria> PreparedCriteria::Prepare(const SearchCriteria& criteria, bool matchCase,
                                                   bool numeric) {
    PreparedCriteria prepared;
    prepared.m_kind = criteria.Kind();
    prepared.m_library = UpperCase(Trim(criteria.Library()));
    const auto kindCriteria = CriteriaOf(criteria.Kind());
    for (std::size_t i = 0; i < kindCriteria.size(); ++i) {
        const SearchCriterion id = kindCriteria[i];
        std::string text = criteria.Row(static_cast<int>(i) + 1);
        if (text.empty() || id == C::Library) // the library chooses libraries, never compared
            continue;
        if (!matchCase)
            UpperCaseInPlace(text);
        if (id == C::Name && numeric)
            text = "*" + DigitsAndWildcards(text) + "*";
        Criterion& criterion = prepared.m_criteria[static_cast<std::size_t>(id)];
        if (UsesWholePattern(criteria.Kind(), id)) {
            auto pattern = Pattern::Compile(text);
            if (!pattern)
                return std::move(pattern).Error();
            criterion.pattern = std::move(*pattern);
        }
        if (UsesItems(criteria.Kind(), id)) {
            for (std::string_view item : SplitAt(text, ',')) {
                auto pattern = Pattern::Compile(Trim(item));
                if (!pattern)
                    return std::move(pattern).Error();
                criterion.items.push_back(std::move(*pattern));
            }
        }
        criterion.text = std::move(text);
        if (id != C::Name)
            prepared.m_nameOnly = false;
    }
    return prepared;
}

bool CompareMultiType(std::string_view attribute, const Criterion& criterion, bool upper) {
    const std::vector<std::string_view> values = SplitAt(attribute, ',');
    std::size_t count = 0;
    for (const Pattern& item : criterion.items)
        for (std::string_view value : values)
            if (Matches(item, Trim(value), upper))
                ++count;
    return count >= criterion.items.size();
}

bool CompareKdspiceString(std::string_view attribute, const Criterion& criterion, int position,
                          bool upper) {
    for (std::string_view reference : SplitAt(attribute, ','))
        if (Matches(*criterion.pattern, Trim(PieceAt(reference, position)), upper))
            return true;
    return false;
}

bool TestName(const PreparedCriteria& criteria, const SearchOptions& options,
              std::string_view name) {
    const Criterion& criterion = criteria[C::Name];
    if (criterion.Empty())
        return false;
    if (options.numeric)
        return Holds(criterion, Compare::Pattern, name, options, true);
    return Matches(*criterion.pattern, name, !options.matchCase);
}

bool TestPart(const PreparedCriteria& criteria, const SearchOptions& options,
              const PartResult& part) {
    return Evaluate(criteria, options, kPartSteps, part);
}

bool TestSymbol(const PreparedCriteria& criteria, const SearchOptions& options,
                const SymbolResult& symbol) {
    return Evaluate(criteria, options, kSymbolSteps, symbol);
}

bool TestPackage(const PreparedCriteria& criteria, const SearchOptions& options,
                 const PackageResult& package) {
    return Evaluate(criteria, options, kPackageSteps, package);
}

bool TestPadstack(const PreparedCriteria& criteria, const SearchOptions& options,
                  const PackageResult& padstack) {
    return Evaluate(criteria, options, kPadstackSteps, padstack);
}

} // namespace k2k
