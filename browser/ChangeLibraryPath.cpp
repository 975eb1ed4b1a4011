#include "browser/ChangeLibraryPath.h"

#include "browser/BrowserComponent.h"
#include "common/Messages.h"
#include "common/ObjectKinds.h"
#include "platform/FileOps.h"
#include "search/LibraryCatalogue.h"
#include "services/AppMessages.h"
#include "services/Directories.h"
#include "system/NativePath.h"
#include "system/Text.h"

namespace k2k {

bool HoldsLibraryFiles(const std::string& folder) {
    for (LibraryKind kind : kAllKinds)
        if (!ListLibraryFiles(folder, kind).empty())
            return true;
    return false;
}

std::string NoLibraryFilesQuestion(const SuiteServices& services, const std::string& folder,
                                   const std::string& libraryDir) {
    std::string patterns;
    for (LibraryKind kind : kAllKinds)
        patterns += (patterns.empty() ? "" : ", ") + std::string(FactsOf(kind).libraryPattern);
    return LocalText(services, "992240", "The folder ") + DisplayPath(folder) +
           LocalText(services, "992241", " holds no library files (") + patterns + ").\r\n" +
           LocalText(services, "992242",
                     "Make it the library folder? Every search sequence will be empty until "
                     "libraries are put there.") +
           "\r\n" +
           LocalText(services, "992243", "Cancel in the search sequence that follows keeps ") +
           DisplayPath(libraryDir) + LocalText(services, "992244", " and its sequences.");
}

bool ChangeLibraryPath(BrowserComponent& component, AppMessages& messages,
                       LibraryPathWindow& window) {
    const std::string current = component.Dirs().libDir;
    const std::string chosen(Trim(window.ChooseFolder(
        LocalText(component.Services(), "5037", "Select Location of Library files"), current)));
    if (chosen.empty() || chosen == current)
        return false;
    std::string tested = chosen;
    int status = 1;
    FileOps::FolderExists(tested, status);
    if (status != 0)
        return false;
    if (!HoldsLibraryFiles(chosen) &&
        component.Services().Boxes().Show(
            {NoLibraryFilesQuestion(component.Services(), chosen, current),
             MessageTitle(component.Services()), MsgIcon::Question, MsgButtons::YesNo}) !=
            MsgAnswer::Yes)
        return false;

    // The hourglass stands while a folder is read; the dialog that follows is the user's.
    StartupProgress quiet;
    const auto readFolder = [&](const std::string& folder) {
        window.ShowHourglass(true);
        component.UseLibraryDirectory(folder, quiet);
        window.ShowHourglass(false);
    };
    readFolder(chosen);
    SearchState& search = component.State().search;
    search.stopRequested = false;
    search.findInList = false;
    window.ResetSearchState();

    // The dialog's OK saves the new folder's lists with the folder recorded beside them;
    // only then does the folder become the setting. A kill between the two leaves the
    // record, and the next start finishes the change.
    LibraryCatalogue& catalogue = component.State().catalogue;
    catalogue.BeginFolderChange(chosen);
    const bool accepted = window.EditSearchSequence();
    const bool saved = catalogue.FolderChangeSaved();
    catalogue.EndFolderChange();
    if (!accepted || !saved) { // a failed save has shown its message
        readFolder(current);
        window.ShowLibraryDirectory();
        return false;
    }
    FinishLibraryFolderChange(component.Services(), chosen);
    window.ShowLibraryDirectory();
    messages.SendToApp(std::string(kExplorerApp), "SSQ");
    return true;
}

bool FinishLibraryFolderChange(SuiteServices& services, const std::string& folder) {
    if (!services.SetDirSetting(kDirSection, "LibDir", folder))
        return false;
    IniEdit edit = services.EditIniFile();
    // Only this change's record: a later change may have recorded its own folder since.
    if (edit.Get(kFolderChangeSection, kFolderChangeKey) == folder)
        edit.Delete(kFolderChangeSection, kFolderChangeKey);
    return edit.Commit();
}

void ResumeLibraryFolderChange(SuiteServices& services) {
    const std::string folder =
        services.GetIniString(kFolderChangeSection, kFolderChangeKey, std::string_view());
    if (!folder.empty())
        FinishLibraryFolderChange(services, folder);
}

void AnnounceSearchSequence(AppMessages& messages) {
    messages.SendToAll("SSQ");
    messages.SendToApp(std::string(kSchematicApp), "UP");
    messages.SendToApp(std::string(kLayoutApp), "UP");
}

} // namespace k2k
