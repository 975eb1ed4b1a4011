#include "browser/ChangeLibraryPath.h"

#include "browser/BrowserComponent.h"
#include "common/Messages.h"
#include "common/ObjectKinds.h"
#include "platform/FileOps.h"
#include "platform/NativePath.h"
#include "platform/Text.h"
#include "search/LibraryCatalogue.h"
#include "services/AppMessages.h"

namespace k2k {

bool HoldsLibraryFiles(const std::string& folder) {
    for (LibraryKind kind : kAllKinds)
        if (!ListLibraryFiles(folder, kind).empty())
            return true;
    return false;
}

std::string NoLibraryFilesMessage(const std::string& folder, const std::string& libraryDir) {
    std::string patterns;
    for (LibraryKind kind : kAllKinds)
        patterns += (patterns.empty() ? "" : ", ") + std::string(FactsOf(kind).libraryPattern);
    return "The folder " + DisplayPath(folder) + " holds no library files (" + patterns +
           ").\r\nThe library folder stays " + DisplayPath(libraryDir) + ".";
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
    if (!HoldsLibraryFiles(chosen)) {
        component.Services().Boxes().Show({NoLibraryFilesMessage(chosen, current),
                                           MessageTitle(component.Services()),
                                           MsgIcon::Exclamation});
        return false;
    }

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

    if (!window.EditSearchSequence()) {
        readFolder(current);
        window.ShowLibraryDirectory();
        return false;
    }
    component.SaveLibraryDirectory();
    window.ShowLibraryDirectory();
    messages.SendToApp(std::string(kExplorerApp), "SSQ");
    return true;
}

void AnnounceSearchSequence(AppMessages& messages) {
    messages.SendToAll("SSQ");
    messages.SendToApp(std::string(kSchematicApp), "UP");
    messages.SendToApp(std::string(kLayoutApp), "UP");
}

} // namespace k2k
