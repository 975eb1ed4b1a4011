#include "search/SearchEngine.h"

#include "common/Messages.h"
#include "common/ObjectKinds.h"
#include "platform/Kernel.h"
#include "platform/SuiteServices.h"
#include "search/LibraryCatalogue.h"
#include "search/ProjectStatus.h"
#include "system/NativePath.h"
#include "system/Text.h"

#include <chrono>
#include <optional>
#include <span>

namespace k2k {

namespace {

// A criterion compared as a list without any change of case (the alias searches).
Result<Criterion> ListCriterion(const std::string& text) {
    Criterion criterion;
    criterion.text = text;
    for (std::string_view item : SplitAt(text, ',')) {
        auto pattern = Pattern::Compile(Trim(item));
        if (!pattern)
            return std::move(pattern).Error();
        criterion.items.push_back(std::move(*pattern));
    }
    return criterion;
}

// The test of one object of a kind with the given switches.
bool TestObject(const PreparedCriteria& criteria, const SearchOptions& switches, LibraryKind kind,
                std::string_view library, std::string_view name, std::string_view info) {
    if (criteria.NameOnly())
        info = {}; // nothing to split
    switch (kind) {
    case LibraryKind::Part:
        return TestPart(criteria, switches, MakePartResult(library, name, info));
    case LibraryKind::Symbol:
        return TestSymbol(criteria, switches, MakeSymbolResult(library, name, info));
    case LibraryKind::Package:
        return TestPackage(criteria, switches, MakePackageResult(library, name, info));
    case LibraryKind::Padstack:
        return TestPadstack(criteria, switches, MakePackageResult(library, name, info));
    }
    return false;
}

// Marks the engine as searching for the life of a search, also when the search throws.
class SearchingScope final {
public:
    explicit SearchingScope(bool& searching) noexcept : m_searching(searching) {
        m_searching = true;
    }
    ~SearchingScope() { m_searching = false; }
    SearchingScope(const SearchingScope&) = delete;
    SearchingScope& operator=(const SearchingScope&) = delete;

private:
    bool& m_searching;
};

} // namespace

std::string EnterSearchOptionsText(const SuiteServices& services) {
    return LocalText(services, "5038", "Enter Search Options");
}

SearchEngine::SearchEngine(Kernel& kernel, SuiteServices& services,
                           const LibraryCatalogue& catalogue, const std::string& libraryDir,
                           SearchState& state, const SearchOptions& options,
                           SearchFeedback& feedback)
    : m_kernel(kernel), m_services(services), m_catalogue(catalogue), m_libraryDir(libraryDir),
      m_state(state), m_options(options), m_feedback(feedback), m_scan(kernel) {
}

void SearchEngine::AdvanceColour(LibraryKind kind) {
    int& colour = m_state.colourIndex[static_cast<std::size_t>(kind)];
    colour = (colour + 1) % kResultColours;
}

SearchOutcome SearchEngine::FindNow(LibraryKind kind, const std::vector<std::string>& gridValues) {
    if (m_searching)
        return SearchOutcome::Busy;
    const SearchingScope searching(m_searching);
    AdvanceColour(kind);
    if (gridValues.empty() || Trim(gridValues.front()).empty()) {
        m_feedback.ShowStatus(LocalText(m_services, "5051", "Name Field Empty"));
        m_feedback.Beep();
        return SearchOutcome::EmptyName;
    }
    const auto criteria = PreparedCriteria::Prepare(SearchCriteria(kind, gridValues),
                                                    m_options.matchCase, m_options.numeric);
    if (!criteria) {
        m_services.Boxes().Show({criteria.Message(), MessageTitle(m_services), MsgIcon::Exclamation,
                                 MsgButtons::Ok, false});
        return SearchOutcome::InvalidPattern;
    }
    m_feedback.SetSearching(true);
    RunSearch(kind, *criteria);
    m_feedback.SetSearching(false);
    return SearchOutcome::Searched;
}

SearchOutcome SearchEngine::FindInList(LibraryKind kind,
                                       const std::vector<std::string>& gridValues) {
    if (m_searching)
        return SearchOutcome::Busy;
    m_state.findInList = true;
    const SearchOutcome outcome = FindNow(kind, gridValues);
    m_state.findInList = false;
    return outcome;
}

bool SearchEngine::NewSearch(LibraryKind kind) {
    if (m_searching)
        return false;
    m_state.Results(kind).Clear();
    m_feedback.ResultViewCleared(kind);
    m_feedback.ShowStatus(EnterSearchOptionsText(m_services));
    return true;
}

void SearchEngine::Begin() {
    m_feedback.PublishBusy(true);
    m_feedback.SetHourglass(true);
}

void SearchEngine::Finish(LibraryKind kind, const std::string& countText) {
    m_feedback.ShowStatus(DecimalText(m_state.Results(kind).Count()) + countText);
    m_feedback.ResultsChanged(kind);
    m_feedback.PublishBusy(false);
    m_feedback.SetHourglass(false);
    m_state.stopRequested = false;
}

void SearchEngine::RunSearch(LibraryKind kind, const PreparedCriteria& criteria) {
    Begin();
    const NumberedText& text = FactsOf(kind).foundText;
    m_countText =
        text.id ? LocalText(m_services, DecimalText(text.id), text.text) : std::string(text.text);

    if (m_state.findInList) {
        FilterResults(kind, criteria);
        m_feedback.ResultViewCleared(kind);
        Finish(kind, m_countText);
        return;
    }
    const std::string& choice = criteria.LibraryChoice();
    if (choice == kProjectLibrary && kind != LibraryKind::Padstack)
        ListProject(kind, criteria);
    const auto takeLibrary = [&choice](const std::string&, std::string_view entry) {
        return choice == kAllLibraries || EqualsNoCase(choice, entry);
    };
    m_nameOnlyWalk = criteria.NameOnly();
    const auto testWith = [&criteria,
                           kind](const SearchOptions& switches) -> LibraryScan::ObjectTest {
        if (criteria.NameOnly())
            return [&criteria, switches](std::string_view name, std::string_view) {
                return TestName(criteria, switches, name);
            };
        return [&criteria, switches, kind](std::string_view name, std::string_view info) {
            return TestObject(criteria, switches, kind, {}, name, info);
        };
    };
    WalkLibraries(kind, takeLibrary, testWith, true);
    Finish(kind, m_countText);
}

template <class TakeLibrary>
void SearchEngine::WalkLibraries(LibraryKind kind, const TakeLibrary& takeLibrary,
                                 const TestWith& testWith, bool switchesMatter) {
    ResultList& results = m_state.Results(kind);
    const int colour = Colour(kind);
    const std::string scanning = LocalText(m_services, "991148", "Scanning: ");
    const bool project = m_kernel.DB_DataBase() != 0;
    // The libraries taken, with the library name their rows show.
    std::vector<std::string> paths;
    std::vector<std::string> listed;
    for (int entry = 1; entry <= m_catalogue.Count(kind); ++entry) {
        const std::string library(
            Trim(m_catalogue.Entries(kind)[static_cast<std::size_t>(entry - 1)]));
        std::optional<std::string> path = m_catalogue.LibraryPath(kind, entry, m_libraryDir);
        if (!path) {
            ShowRefusedEntry(m_services, library);
            continue;
        }
        if (!takeLibrary(*path, library))
            continue;
        paths.push_back(std::move(*path));
        listed.push_back(library.empty() ? std::string(kProjectLibraryName) : library);
    }
    // The workers read and test with a copy of the switches; this thread shows, in
    // catalogue order, what they found, and lets events run before each library and
    // object and while it waits for them.
    constexpr std::chrono::milliseconds kWait(10);
    SearchOptions switches = m_options;
    m_scan.Start(kind, paths, testWith(switches), m_nameOnlyWalk);
    // The workers stop however the walk ends, a throw included: the next search reuses them.
    const struct FinishScan {
        LibraryScan& scan;
        ~FinishScan() { scan.Finish(); }
    } finishScan{m_scan};
    // The events before library i is shown, or before its object `taken` (the objects
    // listed so far) is. True when they changed the switches: the objects not listed yet
    // are being tested again, and what the workers found before no longer counts.
    const auto letEventsRun = [&](std::size_t i, std::size_t taken) {
        m_feedback.LetPendingEventsRun();
        if (!switchesMatter || m_options == switches)
            return false;
        switches = m_options;
        m_scan.Retest(i, taken, testWith(switches));
        return true;
    };
    std::vector<SharedBlock> texts;
    bool stopped = false;
    for (std::size_t i = 0; i < paths.size() && !stopped; ++i) {
        letEventsRun(i, 0);
        if (m_state.stopRequested)
            break;
        m_feedback.ShowStatus(scanning + DisplayPath(paths[i]));
        std::optional<LibraryReadOutcome> outcome;
        while (!(outcome = m_scan.WaitRead(i, kWait))) {
            letEventsRun(i, 0);
            if (m_state.stopRequested)
                break;
        }
        if (!outcome)
            break;
        ShowReadProblem(m_services, *outcome, paths[i]);
        std::size_t taken = 0;
        for (bool done = *outcome != LibraryReadOutcome::Read; !done && !stopped;) {
            const std::span<const PassedObject> passed =
                m_scan.WaitPassed(i, taken, kWait, done, texts);
            results.TakeTexts(texts);
            texts.clear();
            if (taken == passed.size() && !done) { // the workers are still testing
                letEventsRun(i, taken);
                stopped = m_state.stopRequested;
                continue;
            }
            // A Stop heard in the events before an object ends the walk after it.
            for (; taken < passed.size() && !stopped; ++taken) {
                if (letEventsRun(i, taken)) {
                    done = false;
                    stopped = m_state.stopRequested; // nothing tested anew to list yet
                    break;
                }
                const PassedObject& object = passed[taken];
                const std::int32_t status =
                    project ? ProjectStatus(m_kernel, kind, std::string(object.Name())) : 0;
                results.AppendTaken(listed[i], object.text, object.nameLength, object.infoLength,
                                    status, colour);
                stopped = m_state.stopRequested;
            }
        }
        m_scan.Release(i);
        if (*outcome != LibraryReadOutcome::Read)
            continue;
        m_feedback.ShowStatus(DecimalText(results.Count()) + m_countText);
        m_feedback.ResultsChanged(kind);
    }
}

void SearchEngine::ListProject(LibraryKind kind, const PreparedCriteria& criteria) {
    ResultList& results = m_state.Results(kind);
    const bool parts = kind == LibraryKind::Part;
    const int map = parts ? m_kernel.DB_DeviceMap() : m_kernel.DB_SymbMap();
    const KindMasks masks = MasksOf(kind);
    int cursor = m_kernel.OM_GetFirst(map);
    while (!m_state.stopRequested) {
        const int index = m_kernel.OM_SearchMask(map, cursor, masks.a, masks.b);
        if (index == 0)
            break;
        if (index < 0)
            continue;
        std::string name;
        std::string info;
        if (parts) {
            DeviceRecord record;
            if (m_kernel.D_ReadDevice(index, record) == 0)
                continue;
            name = record.name ? record.name : "";
            info = record.info ? record.info : "";
        } else {
            SymbolRecord record;
            if (m_kernel.S_ReadSymbol(index, record) == 0)
                continue;
            name = record.name ? record.name : "";
            info = record.info ? record.info : "";
        }
        m_feedback.LetPendingEventsRun();
        const std::int32_t status =
            kInProject | (UsedInProject(m_kernel, kind, index) ? kUsedInProject : 0);
        name = std::string(Trim(name));
        info = std::string(Trim(info));
        if (TestObject(criteria, m_options, kind, {}, name, info))
            results.Append(kProjectLibraryName, name, info, status, Colour(kind));
    }
}

void SearchEngine::FilterResults(LibraryKind kind, const PreparedCriteria& criteria) {
    ResultList& results = m_state.Results(kind);
    results.RemoveIf([&](int i) {
        return !TestObject(criteria, m_options, kind, results.Library(i), results.Name(i),
                           results.Info(i));
    });
}

SearchOutcome SearchEngine::FindAliases(int mode, bool namedLibraryOnly,
                                        const AliasSelection& selection,
                                        const std::string& namedLibrary) {
    if (m_searching)
        return SearchOutcome::Busy;
    const SearchingScope searching(m_searching);
    AdvanceColour(LibraryKind::Part);
    Result<Criterion> package = Criterion{}; // as it stays where the mode does not compare it
    Result<Criterion> symbols = Criterion{};
    if (mode == kAliasesOfPart) {
        package = ListCriterion(selection.package);
        if (package)
            symbols = ListCriterion(selection.symbols);
    } else if (mode == kPartsUsingSymbol) {
        symbols = ListCriterion(selection.name);
    } else if (mode == kPartsUsingPackage) {
        package = ListCriterion(selection.name);
    }
    if (!package || !symbols) {
        const std::string& message = !package ? package.Message() : symbols.Message();
        m_services.Boxes().Show(
            {message, MessageTitle(m_services), MsgIcon::Exclamation, MsgButtons::Ok, false});
        return SearchOutcome::InvalidPattern;
    }
    m_feedback.SetSearching(true);
    Begin();
    m_countText = LocalText(m_services, "5085", " Part Alias(s) found ");
    const std::string skipName = mode == kAliasesOfPart ? selection.name : std::string();
    const std::string namedPath = JoinPath(m_libraryDir, namedLibrary);

    const auto takeLibrary = [&](const std::string& path, std::string_view) {
        return !namedLibraryOnly || EqualsNoCase(Trim(path), Trim(namedPath));
    };
    m_nameOnlyWalk = false;
    // Compared as they are: the switches play no part.
    const auto takeObject = [&](std::string_view name, std::string_view info) {
        if (name == skipName)
            return false;
        const PartInfo part = SplitPartInfo(info);
        switch (mode) {
        case kAliasesOfPart:
            return CompareMultiType(part.package, *package, false) &&
                   CompareMultiType(part.symbols, *symbols, false);
        case kPartsUsingSymbol:
            return CompareMultiType(part.symbols, *symbols, false);
        case kPartsUsingPackage:
            return CompareMultiType(part.package, *package, false);
        default:
            return false;
        }
    };
    WalkLibraries(
        LibraryKind::Part, takeLibrary,
        [&takeObject](const SearchOptions&) -> LibraryScan::ObjectTest { return takeObject; },
        false);
    Finish(LibraryKind::Part, m_countText);
    m_feedback.SetSearching(false);
    return SearchOutcome::Searched;
}

} // namespace k2k
