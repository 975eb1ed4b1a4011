#include "search/LibraryMaintenance.h"

#include "common/Messages.h"
#include "platform/FileOps.h"
#include "platform/Kernel.h"
#include "search/LibraryCatalogue.h"
#include "search/ProjectStatus.h"
#include "system/NativePath.h"

namespace k2k {

int LibraryDeleteErrorCode(LibraryKind kind) noexcept {
    return kind == LibraryKind::Part ? 18 : 21;
}

Status DeleteFromLibrary(KernelLibraries& kernel, LibraryKind kind, const std::string& path,
                         const std::string& name) {
    const auto failed = [&](std::string_view why, int errorNumber = 0) {
        return Problem{"cannot delete " + name + ": " + DisplayPath(path) + " " + std::string(why),
                       LibraryDeleteErrorCode(kind), errorNumber};
    };
    const int library =
        kernel.E_OpenLibrary(path, std::string(SignatureOf(kind)), KernelLibraries::kModeDelete);
    if (library <= 0)
        return failed("does not open as a library of this kind");
    Status deleted;
    if (kernel.E_OpenLibToRead(library, name) <= 0)
        deleted = failed("holds no object of that name");
    else if (kernel.E_DeleteLibObject(library, name) == 0)
        deleted = failed("could not be rewritten", kernel.LastLibraryErrno());
    kernel.E_CloseLibrary(library);
    return deleted;
}

MessageRequest LibraryDeleteFailure(const SuiteServices& services, const std::string& path,
                                    const std::string& name, const Problem& problem) {
    MessageRequest request = ErrorMessage(services, problem.messageNumber, name);
    if (problem.systemError != 0)
        request.text +=
            "\r\n" + FileOps::WriteFailureMessage(services, path, problem.systemError).text;
    return request;
}

std::string ProjectUseQuestion(const SuiteServices& services, LibraryKind kind) {
    std::string text;
    switch (kind) {
    case LibraryKind::Part:
        text = LocalText(services, "5052", "Selected Part Used in Project") + "\r\n" +
               LocalText(services, "5053", "Deleting this Part will cause NetList corruption");
        break;
    case LibraryKind::Symbol:
        text = LocalText(services, "5054", "Selected Symbol Used in Project") + "\r\n" +
               LocalText(services, "5055", "Deleting this Symbol will cause NetList corruption");
        break;
    case LibraryKind::Package:
    case LibraryKind::Padstack:
        text = LocalText(services, "5056", "Selected Package Used in Project") + "\r\n" +
               LocalText(services, "5057", "Deleting this Package will cause NetList corruption");
        break;
    }
    return text + "\r\n" + LocalText(services, "1143", "Delete anyway ?");
}

ProjectDeletion DeleteFromProject(Kernel& kernel, SuiteServices& services, LibraryKind kind,
                                  const std::string& name) {
    const int index = FindInProject(kernel, kind, name);
    if (index <= 0)
        return ProjectDeletion::NotInProject;
    if (UsedInProject(kernel, kind, index) &&
        !AskYesNo(services, ProjectUseQuestion(services, kind)))
        return ProjectDeletion::Kept;
    const bool part = kind == LibraryKind::Part;
    const int object = part ? kernel.D_Device(index) : kernel.S_Symbol(index);
    if (object <= 0)
        return ProjectDeletion::Failed;
    const int map = part ? kernel.DB_DeviceMap() : kernel.DB_SymbMap();
    return kernel.OM_Delete(map, index) != 0 ? ProjectDeletion::Deleted : ProjectDeletion::Failed;
}

} // namespace k2k
