#pragma once
// The browser component's core: the state that all its windows share for as long as the
// component is loaded, and the start-up that fills it. The window (and "k2klib", which
// runs the same start without one) holds one BrowserComponent and calls only this.
//
// FormUpdate reads, in this order: the design context the suite has open, the suite's
// folders and library catalogue, the browser profile, the display options, the Spice
// element profiles and the subcircuit index, and the simulator models of the library
// folder; then it sets up the simulation-reference dialog's lists from them. Each step is
// also offered alone, for the commands that reload part of it and for the tool. The
// component talks back only through what it is given: message boxes (through the
// services), the search feedback of the window, and a StartupProgress for the splash
// window's texts.
//
// The component's search engine works on the component's catalogue, folders and search
// state. While it searches it lets pending events run, so commands arrive in the middle
// of a search, or while a question or dialog of the browser waits for its answer;
// DeferWhileBusy keeps those that reload or unload the browser until that is over.

#include "browser/DeferredCommands.h"
#include "options/DisplayOptions.h"
#include "platform/FileOps.h"
#include "platform/SuiteFolder.h"
#include "platform/SuiteServices.h"
#include "regtypes/BrowserProfile.h"
#include "regtypes/RegTypeTables.h"
#include "search/LibraryCatalogue.h"
#include "search/SearchEngine.h"
#include "services/DesignContext.h"
#include "services/Directories.h"
#include "simulation/SimulationPicker.h"
#include "simulation/SimulationTables.h"
#include "simulation/SubcircuitIndex.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace k2k {

class Kernel;

// The steps of FormUpdate, in the order it runs them.
enum class StartupStep {
    DesignContext,
    Folders, // the directory settings and the library catalogue
    BrowserProfile,
    DisplayOptions,
    ElementProfiles,
    SubcircuitIndex,
    SimulatorModels,
};

// What the start-up tells the window while it reads: the progress texts go to the splash
// window's label. Every call has a default that does nothing.
class StartupProgress {
public:
    virtual ~StartupProgress() = default;
    virtual void ShowProgress(const std::string& /*text*/) {}
    virtual void StepBegins(StartupStep /*step*/) {}
};

// The error a failed browser profile read raises in FormUpdate.
inline constexpr int kErrBrowserProfileUnread = 9999;

struct FormUpdateResult {
    enum class Failure {
        None,
        NoDatabase,     // the suite has no design open; the message has been shown
        BrowserProfile, // the profile could not be read (error kErrBrowserProfileUnread)
        RunTime,        // anything else that broke off the start
    };
    Failure failure = Failure::None;
    int errorNumber = 0; // the error raised, for the failure path (which drops it)

    // False: the window unloads its splash and shuts the browser down.
    bool Ok() const noexcept { return failure == Failure::None; }
};

// What the Spice step found, for the tool that reports it.
struct SpiceReferencesRead {
    bool elementProfilesFailed = false;
    std::optional<SubcircuitSource> subcircuits; // nullopt: the index was not built
};

// The part a name stands for, for the commands that address a part by name.
struct FoundPart {
    std::string libraryPath; // the part library that holds it (suite form)
    AliasSelection selection;
};

// The state the component's windows share; one per component, filled by the start-up.
struct BrowserState {
    std::string serverPath;   // the folder of the suite's programs (SeverPath)
    bool exitAllowed = false; // set by the command "EX": a close request may unload
    DesignContext designContext;
    Directories directories;
    LibraryCatalogue catalogue;
    RegTypeTables regTypes; // with the profile path
    DisplayOptions displayOptions;
    SimulationTables simulation; // with the flag "Spice references ready"
    // The simulation-reference dialog's lists, filters and picked values.
    SimulationPicker simulationPicker{simulation};
    SearchState search;
    SearchOptions searchOptions; // match case, numeric search, condition
};

class BrowserComponent final {
public:
    // directorySettings: native path of the suite's directory settings (need not exist).
    BrowserComponent(Kernel& kernel, const std::filesystem::path& directorySettings,
                     MessageBoxes& boxes, SearchFeedback& feedback);
    BrowserComponent(const BrowserComponent&) = delete;
    BrowserComponent& operator=(const BrowserComponent&) = delete;

    // Opens the suite at root as its main application does before it creates the browser
    // (seeds the kernel's named values, opens the project; see platform/SuiteFolder.h),
    // then reads its folders and library catalogue. The directory settings given at
    // construction are the suite's own.
    SuiteOpening OpenSuite(const std::filesystem::path& root,
                           const std::optional<std::filesystem::path>& project = std::nullopt);

    // The whole start-up read, in its order (see above). A failure stops it.
    FormUpdateResult FormUpdate(StartupProgress& progress);

    // --- the steps of FormUpdate
    // False without an open design: "Start Main Kalde 2000 Application" has been shown.
    bool ReadDesignContext();
    // The directories and the library catalogue, once a change of library folder that was
    // stopped half-way is finished; also on the command "SSQ".
    void ReadFolders();
    // Reads the profile at path into the registered-type tables, through the services:
    // their initialisation file is the profile while it is read and the one before
    // afterwards. Answers the reader's error flag (0, or 1 when a file operation failed).
    int ReadBrowserProfile(const std::string& path, const ProfileLineObserver& observer = {});
    void LoadDisplayOptions();
    // Clears the Spice tables and reads the element profiles; the subcircuit index only
    // when they were read without error, which makes the Spice references ready.
    SpiceReferencesRead ReadSpiceReferences(StartupProgress& progress,
                                            LeftOutFiles* leftOut = nullptr);
    void CollectSimulatorModels(StartupProgress& progress, LeftOutFiles* leftOut = nullptr);
    // The simulation-reference dialog's family list (the subcircuit folder's subfolders,
    // only when the Spice references are ready) and its three lists.
    void SetUpSimulationPicker();

    // A library folder read as FormUpdate reads it: it becomes the library directory and
    // the three remembered library folders; the catalogue is loaded again, and the Spice
    // references and simulator models are read again. Nothing is saved: the folder becomes
    // the "LibDir" setting only once the user has confirmed it (browser/ChangeLibraryPath).
    void UseLibraryDirectory(const std::string& folder, StartupProgress& progress);

    // The first part of the catalogue's part libraries, in search order, with that name
    // (exact); nullopt when none has it. A missing library gets its message and is passed.
    std::optional<FoundPart> FindPartByName(const std::string& name);

    // --- commands during a search
    bool IsSearching() const noexcept { return m_engine.IsSearching(); }
    // True when the command was kept for later: it reloads or unloads the browser ("EX",
    // "RF", "SSQ", "LZ") and a search is running or, with waitingForAnswer, a question or
    // dialog waits for its answer (the window and its tables are in use below it).
    bool DeferWhileBusy(const std::string& command, bool waitingForAnswer = false);
    // The kept commands, to be carried out in this order once the search has ended.
    std::vector<std::string> TakeDeferredCommands() { return m_deferred.Take(); }

    // --- the shared state
    BrowserState& State() noexcept { return m_state; }
    const BrowserState& State() const noexcept { return m_state; }
    Kernel& GetKernel() noexcept { return m_kernel; }
    SuiteServices& Services() noexcept { return m_services; }
    FileOps& Files() noexcept { return m_files; }
    SearchEngine& Engine() noexcept { return m_engine; }
    const Directories& Dirs() const noexcept { return m_state.directories; }
    const LibraryCatalogue& Catalogue() const noexcept { return m_state.catalogue; }
    bool SpiceReferencesReady() const noexcept { return m_state.simulation.spiceReferencesReady; }

private:
    FormUpdateResult RunFormUpdate(StartupProgress& progress);

    Kernel& m_kernel;
    SuiteServices m_services;
    FileOps m_files;
    BrowserState m_state;
    SearchEngine m_engine;
    DeferredCommands m_deferred;
};

} // namespace k2k
