#include "browser/BrowserComponent.h"

#include "browser/ChangeLibraryPath.h"
#include "common/Messages.h"
#include "platform/Kernel.h"
#include "search/InfoText.h"
#include "services/SimulatorModels.h"
#include "simulation/ElementProfiles.h"

#include <exception>

namespace k2k {

namespace {

// Puts the services' initialisation file back however the read ends.
class IniFileRestorer final {
public:
    explicit IniFileRestorer(SuiteServices& services)
        : m_services(services), m_remembered(services.IniFile()) {}
    ~IniFileRestorer() { m_services.SetIniFile(m_remembered); }
    IniFileRestorer(const IniFileRestorer&) = delete;
    IniFileRestorer& operator=(const IniFileRestorer&) = delete;

private:
    SuiteServices& m_services;
    std::string m_remembered;
};

} // namespace

BrowserComponent::BrowserComponent(Kernel& kernel, const std::filesystem::path& directorySettings,
                                   MessageBoxes& boxes, SearchFeedback& feedback)
    : m_kernel(kernel), m_services(directorySettings, boxes), m_files(m_services, boxes),
      m_engine(kernel, m_services, m_state.catalogue, m_state.directories.libDir, m_state.search,
               m_state.searchOptions, feedback) {
}

SuiteOpening BrowserComponent::OpenSuite(const std::filesystem::path& root,
                                         const std::optional<std::filesystem::path>& project) {
    SuiteOpening opening = k2k::OpenSuite(root, m_kernel, m_services, project);
    if (opening.ok)
        ReadFolders();
    return opening;
}

FormUpdateResult BrowserComponent::FormUpdate(StartupProgress& progress) {
    try {
        return RunFormUpdate(progress);
    } catch (const std::exception&) {
        // As any run-time error of the start: the window shuts the browser down.
        return {FormUpdateResult::Failure::RunTime, 0};
    }
}

FormUpdateResult BrowserComponent::RunFormUpdate(StartupProgress& progress) {
    progress.StepBegins(StartupStep::DesignContext);
    if (!ReadDesignContext())
        return {FormUpdateResult::Failure::NoDatabase, 0};

    progress.StepBegins(StartupStep::Folders);
    ReadFolders();

    progress.StepBegins(StartupStep::BrowserProfile);
    const int profileError = ReadBrowserProfile(m_state.directories.BrowserProfilePath());

    // The display options are read also when the profile failed; the failure is raised
    // after them.
    progress.StepBegins(StartupStep::DisplayOptions);
    LoadDisplayOptions();
    if (profileError != 0)
        return {FormUpdateResult::Failure::BrowserProfile, kErrBrowserProfileUnread};

    ReadSpiceReferences(progress);
    CollectSimulatorModels(progress);
    SetUpSimulationPicker();
    return {};
}

bool BrowserComponent::ReadDesignContext() {
    return k2k::ReadDesignContext(m_kernel, m_services, m_state.designContext) != 0;
}

void BrowserComponent::ReadFolders() {
    ResumeLibraryFolderChange(m_services);
    ReadDirs(m_services, m_state.directories);
    m_state.catalogue.Load(m_services);
}

int BrowserComponent::ReadBrowserProfile(const std::string& path,
                                         const ProfileLineObserver& observer) {
    const IniFileRestorer restorer(m_services);
    m_services.SetIniFile(path);
    int errorFlag = 0;
    k2k::ReadBrowserProfile(m_state.regTypes, m_files, m_services, errorFlag, m_services.IniFile(),
                            observer);
    return errorFlag;
}

void BrowserComponent::LoadDisplayOptions() {
    k2k::LoadDisplayOptions(m_state.displayOptions, m_services);
}

SpiceReferencesRead BrowserComponent::ReadSpiceReferences(StartupProgress& progress,
                                                          LeftOutFiles* leftOut) {
    SimulationTables& tables = m_state.simulation;
    SpiceReferencesRead read;
    tables.ClearSpiceTables();
    tables.spiceReferencesReady = false;

    progress.StepBegins(StartupStep::ElementProfiles);
    progress.ShowProgress(
        LocalText(m_services, "3370", "Parsing Spice Circuit Element Profiles ..."));
    ReadElementProfiles(tables, m_files, m_services, read.elementProfilesFailed,
                        m_state.directories.ElementProfilePath());
    if (read.elementProfilesFailed)
        return read;

    tables.spiceReferencesReady = true;
    progress.StepBegins(StartupStep::SubcircuitIndex);
    progress.ShowProgress(
        LocalText(m_services, "3372", "Building Spice Subcircuit References ..."));
    read.subcircuits = BuildSubcircuitIndex(tables, m_files, m_state.directories.kdsSbk, leftOut);
    return read;
}

void BrowserComponent::CollectSimulatorModels(StartupProgress& progress, LeftOutFiles* leftOut) {
    m_state.simulation.ClearSimulatorModels();
    progress.StepBegins(StartupStep::SimulatorModels);
    progress.ShowProgress(
        LocalText(m_services, "3373", "Building Mixed Mode Simulator References ..."));
    k2k::CollectSimulatorModels(m_state.directories.libDir, m_kernel, m_state.simulation, leftOut);
}

void BrowserComponent::SetUpSimulationPicker() {
    m_state.simulationPicker.SetUp(
        SubcircuitFamilies(m_state.simulation, m_state.directories.kdsSbk));
}

void BrowserComponent::UseLibraryDirectory(const std::string& folder, StartupProgress& progress) {
    Directories& directories = m_state.directories;
    directories.libDir = folder;
    directories.libraryFolders.fill(folder);
    m_state.catalogue.Load(m_services);
    ReadSpiceReferences(progress);
    CollectSimulatorModels(progress);
    SetUpSimulationPicker();
}

std::optional<FoundPart> BrowserComponent::FindPartByName(const std::string& name) {
    const LibraryCatalogue& catalogue = m_state.catalogue;
    LibraryDescriptions descriptions;
    for (int entry = 1; entry <= catalogue.Count(LibraryKind::Part); ++entry) {
        std::optional<std::string> path =
            catalogue.LibraryPath(LibraryKind::Part, entry, m_state.directories.libDir);
        if (!path || ReadLibraryDescriptions(m_kernel, m_services, LibraryKind::Part, *path,
                                             descriptions) != LibraryReadOutcome::Read)
            continue;
        for (const LibraryInfoRecord& record : descriptions.records) {
            if (record.field1 != name)
                continue;
            const PartInfo part = SplitPartInfo(record.field3);
            return FoundPart{std::move(*path),
                             {name, std::string(part.package), std::string(part.symbols)}};
        }
    }
    return std::nullopt;
}

bool BrowserComponent::DeferWhileBusy(const std::string& command, bool waitingForAnswer) {
    return m_deferred.Keep(command, IsSearching() || waitingForAnswer);
}

} // namespace k2k
