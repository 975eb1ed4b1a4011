#include "browser/ChangeLibraryPath.h"

#include "browser/BrowserComponent.h"
#include "common/Messages.h"
#include "host/AppMessages.h"
#include "platform/FileOps.h"
#include "platform/Text.h"

namespace k2k {

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

    // The hourglass stands while the folder is read; the dialog that follows is the user's.
    window.ShowHourglass(true);
    StartupProgress quiet;
    component.UseLibraryDirectory(chosen, quiet);
    SearchState& search = component.State().search;
    search.stopRequested = false;
    search.findInList = false;
    window.ResetSearchState();
    window.ShowHourglass(false);

    window.EditSearchSequenceUntilOk();
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
