#include "browser/DeleteFromLibrary.h"

#include "common/Messages.h"
#include "platform/FileOps.h"
#include "platform/Kernel.h"
#include "platform/LibraryName.h"
#include "platform/SuiteServices.h"
#include "search/LibraryMaintenance.h"
#include "search/ResultList.h"
#include "system/FileLock.h"
#include "system/Text.h"

#include <algorithm>

namespace k2k {
namespace {

// The project's own objects bear this library once a view has listed them.
constexpr std::string_view kProjectLibraryUpper = "PROJECT LIBRARY";

// A project delete the kernel refused: there is no numbered message for it, so the text says
// what failed and why.
void ShowProjectDeleteFailure(SuiteServices& services, Kernel& kernel, LibraryKind kind,
                              const std::string& name) {
    MessageRequest request = ErrorMessage(services, LibraryDeleteErrorCode(kind), name);
    request.text = (kind == LibraryKind::Part
                        ? LocalText(services, "99338", "Can't delete Part: ")
                        : LocalText(services, "99342", "Can't delete Symbol/Package: ")) +
                   name + " from the project: " + kernel.LastProjectError();
    if (kernel.LastProjectErrno() == kErrFileLocked)
        request.text += "\r\n" + FileOps::FileLockedText(services);
    services.Boxes().Show(request);
}

// A row whose library is no plain file name of the library folder: nothing is deleted.
void ShowRefusedLibrary(SuiteServices& services, LibraryKind kind, const std::string& name,
                        std::string_view library) {
    MessageRequest request = ErrorMessage(services, LibraryDeleteErrorCode(kind), name);
    request.text += "\r\n" + LibraryNameRefusal(services, library, CheckLibraryName(library));
    services.Boxes().Show(request);
}

} // namespace

std::string DeleteQuestion(const SuiteServices& services, LibraryKind kind) {
    switch (kind) {
    case LibraryKind::Part:
        return LocalText(services, "508", "Permanently Delete Selected Part(s)?");
    case LibraryKind::Symbol:
        return LocalText(services, "509", "Permanently Delete Selected Symbol(s)?");
    case LibraryKind::Package:
        return LocalText(services, "5010", "Permanently Delete Selected Package(s)?");
    case LibraryKind::Padstack:
        return LocalText(services, "5049", "Permanently Delete Selected Padstack(s)?");
    }
    return {};
}

bool IsProjectLibrary(std::string_view library) {
    return UpperCase(library) == kProjectLibraryUpper;
}

int DeleteFromLib(ResultList& results, const std::vector<int>& selectedResults,
                  const DeleteFromLibSetup& setup, Kernel& kernel, SuiteServices& services) {
    if (results.Empty() || !setup.atLeastOneSelected || selectedResults.empty())
        return 0;
    const LibraryKind kind = results.Kind();
    if (!AskYesNo(services, DeleteQuestion(services, kind)))
        return 0;
    if (setup.setHourglass)
        setup.setHourglass(true);
    std::vector<int> selected;
    for (const int i : selectedResults)
        if (i >= 1 && i <= results.Count())
            selected.push_back(i);
    std::sort(selected.begin(), selected.end(), std::greater<>());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    std::vector<int> gone;
    for (const int i : selected) {
        const std::string name(results.Name(i));
        const std::string_view library = results.Library(i);
        if (IsProjectLibrary(library)) {
            switch (DeleteFromProject(kernel, services, kind, name)) {
            case ProjectDeletion::Deleted:
            case ProjectDeletion::NotInProject: // gone already: the row names nothing
                gone.push_back(i);
                break;
            case ProjectDeletion::Failed:
                ShowProjectDeleteFailure(services, kernel, kind, name);
                break;
            case ProjectDeletion::Kept:
                break;
            }
        } else if (const auto path = LibraryFilePath(setup.libraryDir, library); !path) {
            ShowRefusedLibrary(services, kind, name, library);
        } else {
            const Status deleted = DeleteFromLibrary(kernel, kind, *path, name);
            if (deleted)
                gone.push_back(i);
            else
                services.Boxes().Show(LibraryDeleteFailure(services, *path, name, deleted.Error()));
        }
    }
    // Walking backwards, removing each record as it is passed leaves the same list as
    // removing them all at the end, which costs one pass.
    const int removed = results.Remove(gone);
    if (setup.setHourglass)
        setup.setHourglass(false);
    return removed;
}

} // namespace k2k
