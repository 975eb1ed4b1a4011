#pragma once
// The search driver of the browser and the searches of the four kinds. The window's Find
// Now, Find In List, Stop and New Search, the alias and used-by-part searches, and
// "k2klib search" all run this code; the window only reads its controls, calls the engine
// and shows what the result lists hold.
//
// A search walks the kind's libraries in catalogue order (or lists the open project's own
// objects for "[PROJECT LIBRARY]"), tests every description against the prepared criteria
// and appends the matches, with their project status, to the kind's result list. Results
// accumulate: only New Search empties a list; each row keeps the colour its search was
// given. The reading and testing of the libraries runs on worker threads a few libraries
// ahead (LibraryScan); the walk itself, and all it appends and shows, stays on the calling
// thread. The engine talks back through SearchFeedback: pending events run before each
// library and each object, and every 10 ms while the walk waits for the workers. A Stop
// heard before a library, or while the walk waits, ends the walk there; one heard before
// an object ends it after that object. The search switches (match case, numeric, all
// conditions) are the window's to change at any time: the workers test with a copy, and a
// change seen after the events holds for every object listed after it (the workers test
// those again).
//
// While a search runs it owns the read buffer and the result lists, and the events it lets
// run may be clicks or host commands. So the engine refuses every search and New Search
// until the running one ends (SearchOutcome::Busy, nothing changed) and serves only Stop;
// the window and the command dispatcher ask IsSearching() before anything else that would
// change the lists or close the browser.

#include "formats/LibraryFile.h"
#include "platform/KernelLibraries.h"
#include "search/LibraryScan.h"
#include "search/ResultList.h"
#include "search/SearchCriteria.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace k2k {

class Kernel;
class LibraryCatalogue;
class SuiteServices;

inline constexpr int kResultColours = 9; // entries of the window's result colour table

inline constexpr const char* kAllLibraries = "[ALL LIBRARIES]";
inline constexpr const char* kProjectLibrary = "[PROJECT LIBRARY]";
// The library the results of the open project's own objects show: they come from no
// library file, and the search labels them so as it appends them.
inline constexpr const char* kProjectLibraryName = "Project Library";

// The status text that asks for a search's options (text 5038): at the window's set-up,
// after New Search, and when a value of the grid cannot be searched.
std::string EnterSearchOptionsText(const SuiteServices& services);

// The search state of the component: the four result lists and what the searches keep
// between calls.
struct SearchState {
    std::array<ResultList, 4> results{
        ResultList(LibraryKind::Part), ResultList(LibraryKind::Symbol),
        ResultList(LibraryKind::Package), ResultList(LibraryKind::Padstack)};
    std::array<int, 4> colourIndex{}; // the colour of the rows the last search added
    bool stopRequested = false;
    bool findInList = false;

    ResultList& Results(LibraryKind kind) { return results[static_cast<std::size_t>(kind)]; }
    const ResultList& Results(LibraryKind kind) const {
        return results[static_cast<std::size_t>(kind)];
    }
};

// What a search needs from the window. Every call has a default that does nothing.
class SearchFeedback {
public:
    virtual ~SearchFeedback() = default;
    virtual void LetPendingEventsRun() {}
    virtual void ShowStatus(const std::string& /*text*/) {} // the status bar
    virtual void Beep() {}
    virtual void SetHourglass(bool /*on*/) {}
    virtual void PublishBusy(bool /*busy*/) {}           // the browser's status record
    virtual void SetSearching(bool /*searching*/) {}     // Stop shown in place of Find Now
    virtual void ResultsChanged(LibraryKind /*kind*/) {} // fill the view with the new rows
    virtual void ResultViewCleared(LibraryKind /*kind*/) {}
};

// The part whose aliases are looked for, or the symbol or package whose parts are.
struct AliasSelection {
    std::string name;    // the selected row's text, trimmed
    std::string package; // mode 0: the part's package
    std::string symbols; // mode 0: the part's symbol list
};

inline constexpr int kAliasesOfPart = 0;
inline constexpr int kPartsUsingSymbol = 1;
inline constexpr int kPartsUsingPackage = 2;

enum class SearchOutcome {
    Searched,
    EmptyName,
    InvalidPattern,
    Busy, // refused: a search runs
};

class SearchEngine final {
public:
    SearchEngine(Kernel& kernel, SuiteServices& services, const LibraryCatalogue& catalogue,
                 const std::string& libraryDir, SearchState& state, const SearchOptions& options,
                 SearchFeedback& feedback);

    // Find Now on a kind with the values of its option grid (row 1 first). Advances the
    // kind's colour; an empty name shows text 5051 and beeps; an invalid pattern shows a
    // message. Under Find In List the kind's results are filtered instead of searched.
    SearchOutcome FindNow(LibraryKind kind, const std::vector<std::string>& gridValues);
    SearchOutcome FindInList(LibraryKind kind, const std::vector<std::string>& gridValues);
    // Stop ends the running search at its next check; with none running it does nothing.
    void Stop() noexcept {
        if (m_searching)
            m_state.stopRequested = true;
    }
    // New Search: the kind's results are emptied (the window sets up its grid afresh).
    // False, with nothing changed, while a search runs.
    bool NewSearch(LibraryKind kind);

    // Find Alias (mode 0) and Used by Part (1 from a symbol, 2 from a package; any other
    // mode walks the libraries and takes nothing). With namedLibraryOnly only the library
    // library directory & "\" & namedLibrary is read. Advances the Part colour.
    SearchOutcome FindAliases(int mode, bool namedLibraryOnly, const AliasSelection& selection,
                              const std::string& namedLibrary);

    // True from the start to the end of every search, the events it lets run included.
    bool IsSearching() const noexcept { return m_searching; }

private:
    void RunSearch(LibraryKind kind, const PreparedCriteria& criteria);
    void ListProject(LibraryKind kind, const PreparedCriteria& criteria);
    void FilterResults(LibraryKind kind, const PreparedCriteria& criteria);
    // The test of one object with a given set of search switches.
    using TestWith = std::function<LibraryScan::ObjectTest(const SearchOptions& switches)>;
    // Walks the kind's libraries that takeLibrary(path, entry) takes, and appends the
    // objects that testWith(switches) takes; switchesMatter: the test reads the switches.
    template <class TakeLibrary>
    void WalkLibraries(LibraryKind kind, const TakeLibrary& takeLibrary, const TestWith& testWith,
                       bool switchesMatter);
    void Begin();
    void Finish(LibraryKind kind, const std::string& countText);
    void AdvanceColour(LibraryKind kind);
    int Colour(LibraryKind kind) const {
        return m_state.colourIndex[static_cast<std::size_t>(kind)];
    }

    Kernel& m_kernel;
    SuiteServices& m_services;
    const LibraryCatalogue& m_catalogue;
    const std::string& m_libraryDir;
    SearchState& m_state;
    const SearchOptions& m_options;
    SearchFeedback& m_feedback;
    std::string m_countText;
    bool m_nameOnlyWalk = false; // the walk tests names only
    bool m_searching = false;
    // Reads and tests the libraries on the worker threads; its buffers serve search after
    // search.
    LibraryScan m_scan;
};

} // namespace k2k
