// k2klib search: the browser's own searches without a window. The criteria are the rows
// of the kind's option grid, one option each; the results are the browser's result list,
// printed as the window's Save List writes it (the columns the suite's display options
// show, in the suite's encoding) or as TSV (every column, UTF-8).
// Messages the browser would show go to standard error. Exit status 0 when the search ran
// (also with no results), 1 when it could not (an empty name, an invalid pattern, not a
// suite), 2 with usage for bad arguments.

#include "Commands.h"
#include "OpenedSuite.h"
#include "TsvStream.h"

#include "browser/BrowserComponent.h"
#include "browser/OptionGridRows.h"
#include "browser/ResultColumns.h"
#include "browser/SaveList.h"
#include "common/Messages.h"
#include "common/ObjectKinds.h"
#include "platform/SuiteServices.h"
#include "search/SearchEngine.h"
#include "sources/LibrarySource.h"
#include "system/NativePath.h"
#include "system/Text.h"

#include <algorithm>
#include <map>
#include <optional>
#include <ostream>

namespace k2k::cli {

namespace {

// The criterion options, each a row of the kind's option grid.
struct CriterionOption {
    const char* name;
    SearchCriterion criterion;
};

constexpr CriterionOption kCriteria[] = {
    {"library", SearchCriterion::Library},
    {"description", SearchCriterion::Description},
    {"symbol", SearchCriterion::Symbol},
    {"package", SearchCriterion::Package},
    {"package-type", SearchCriterion::PackageType},
    {"manufacturer", SearchCriterion::Manufacturer},
    {"technology", SearchCriterion::Technology},
    {"type", SearchCriterion::Type},
    {"external-index-code", SearchCriterion::ExternalIndexCode},
    {"simulation-function", SearchCriterion::SimulationFunction},
    {"simulation-ref", SearchCriterion::SimulationRef},
    {"element-code", SearchCriterion::ElementCode},
    {"model-code", SearchCriterion::ModelCode},
    {"variant", SearchCriterion::Variant},
    {"jedec-name", SearchCriterion::JedecName},
    {"shape", SearchCriterion::Shape},
    {"keywords", SearchCriterion::Keywords},
};

struct SearchArguments {
    std::string suite;
    std::string kind = "part";
    std::string name;
    std::map<std::string, std::string> criteria; // option name -> value
    bool allConditions = false;
    bool matchCase = false;
    bool numeric = false;
    std::string project;
    std::string aliasesOf;
    std::string usedBySymbol;
    std::string usedByPackage;
    std::string format = "savelist";
    const CLI::Option* nameOption = nullptr; // whether --name was given
};

// The saved list: the lines the window's Save List writes, with the columns the suite's
// display options show and the texts in the suite's encoding.
void WriteSavedList(BrowserComponent& browser, const ResultList& results, std::ostream& out) {
    browser.LoadDisplayOptions();
    const std::string text =
        SavedListText(results, ResultColumns(browser.State().displayOptions, results.Kind()));
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

// The grid's values, row 1 first, as a fresh grid holds them with the criteria set.
std::vector<std::string> GridValues(const SearchArguments& a, LibraryKind kind) {
    std::vector<std::string> values = FreshGridValues(kind);
    SetGridValue(values, kind, SearchCriterion::Name, SuiteText("--name", a.name));
    for (const auto& [option, value] : a.criteria) {
        for (const CriterionOption& criterion : kCriteria) {
            if (option != criterion.name)
                continue;
            if (!SetGridValue(values, kind, criterion.criterion, SuiteText("--" + option, value)))
                throw CLI::ValidationError("--" + option, "is not a criterion of " + a.kind + "s");
        }
    }
    return values;
}

// The parts of the package and symbols of a part, or using a symbol or package; false, with
// exit status 1, when the part is in no library.
bool FindAliases(const SearchArguments& a, BrowserComponent& browser,
                 const std::vector<std::string>& values, CommandContext& context) {
    AliasSelection selection;
    int mode = kAliasesOfPart;
    if (!a.aliasesOf.empty()) {
        const std::string name = SuiteText("--aliases-of", a.aliasesOf);
        const auto part = browser.FindPartByName(name);
        if (!part) {
            context.err << "k2klib search: no part named " << a.aliasesOf
                        << " in the part libraries\n";
            context.exitCode = 1;
            return false;
        }
        selection = part->selection;
    } else if (!a.usedBySymbol.empty()) {
        mode = kPartsUsingSymbol;
        selection.name = SuiteText("--used-by-symbol", a.usedBySymbol);
    } else {
        mode = kPartsUsingPackage;
        selection.name = SuiteText("--used-by-package", a.usedByPackage);
    }
    const bool named = a.criteria.count("library") > 0;
    browser.Engine().FindAliases(
        mode, named, selection,
        named ? values[CriterionRow(LibraryKind::Part, SearchCriterion::Library) - 1]
              : std::string());
    return true;
}

void RunSearch(const SearchArguments& a, CommandContext& context) {
    const LibraryKind kind = KindNamed(a.kind);
    const bool aliasSearch =
        !a.aliasesOf.empty() || !a.usedBySymbol.empty() || !a.usedByPackage.empty();
    if (aliasSearch && kind != LibraryKind::Part)
        throw CLI::ValidationError("--aliases-of/--used-by-symbol/--used-by-package",
                                   "find parts: use them with --kind part");
    if (!aliasSearch && a.nameOption->count() == 0)
        throw CLI::RequiredError("--name");

    const std::vector<std::string> values = GridValues(a, kind);
    const auto opened = OpenSuiteFor(
        "search", a.suite, context,
        a.project.empty() ? std::nullopt : std::optional<std::filesystem::path>(a.project));
    if (!opened)
        return;
    BrowserComponent& browser = opened->browser;
    SuiteServices& services = browser.Services();
    SearchState& state = browser.State().search;
    browser.State().searchOptions = {a.matchCase, a.numeric,
                                     a.allConditions ? kConditionAll : kConditionAny};
    SearchEngine& engine = browser.Engine();
    // TSV lines are printed while the search runs.
    const ResultList& results = state.Results(aliasSearch ? LibraryKind::Part : kind);
    std::optional<TsvStream> tsv;
    if (a.format == "tsv") {
        tsv.emplace(context.out, results.Kind());
        opened->feedback.rowsFound = [&] { tsv->Take(results); };
    }
    const struct StopFeedback {
        FoundRowsFeedback& feedback;
        ~StopFeedback() { feedback.rowsFound = nullptr; }
    } stopFeedback{opened->feedback};

    if (aliasSearch) {
        if (!FindAliases(a, browser, values, context))
            return;
    } else {
        const SearchOutcome outcome = engine.FindNow(kind, values);
        if (outcome == SearchOutcome::EmptyName)
            context.err << Cp1252ToUtf8(LocalText(services, "5051", "Name Field Empty")) << '\n';
        if (outcome != SearchOutcome::Searched) {
            context.exitCode = 1;
            return;
        }
    }
    if (tsv)
        tsv->Finish(results);
    else
        WriteSavedList(browser, results, context.rawOut);
    context.exitCode = 0;
}

} // namespace

void AddSearchCommand(CLI::App& app, CommandContext& context) {
    const auto added = AddCommand<SearchArguments>(
        app, "search", "run the browser's search of a kind on a suite and print the results",
        context, RunSearch);
    CLI::App& command = added.app;
    SearchArguments& a = added.arguments;
    AddSuiteOption(command, a.suite);
    AddKindOption(command, a.kind, "part, symbol, package or padstack", KindNeed::Optional);
    a.nameOption = command.add_option("--name", a.name, "the name pattern (* ? # [list] [!list])");
    for (const CriterionOption& criterion : kCriteria) {
        const std::string name = criterion.name;
        command.add_option_function<std::string>(
            "--" + name, [&a, name](const std::string& value) { a.criteria[name] = value; },
            "criterion");
    }
    command.add_flag("--all-conditions", a.allConditions, "all criteria must hold");
    command.add_flag("--match-case", a.matchCase, "tell upper from lower case");
    command.add_flag("--numeric", a.numeric, "compare the digits and wildcards of names");
    command.add_option("--project", a.project, "the project file (default: the suite's)");
    auto* aliases = command.add_option("--aliases-of", a.aliasesOf,
                                       "parts with the package and symbols of this part");
    auto* bySymbol =
        command.add_option("--used-by-symbol", a.usedBySymbol, "parts using this symbol");
    auto* byPackage =
        command.add_option("--used-by-package", a.usedByPackage, "parts using this package");
    aliases->excludes(bySymbol)->excludes(byPackage);
    bySymbol->excludes(byPackage);
    command.add_option("--format", a.format, "savelist (default) or tsv")
        ->check(CLI::IsMember({"savelist", "tsv"}));
}

} // namespace k2k::cli
