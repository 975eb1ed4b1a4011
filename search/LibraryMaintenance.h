#pragma once
// Library maintenance: deleting an object from a library file or from the open project (the
// library that holds an object is found by search/LibraryLookup). The delete command of the
// result lists (browser/DeleteFromLibrary) and "k2klib delete" run these functions.
//
// A library delete goes through the kernel, which opens the file for deleting and rewrites
// it without the object (a new file beside it, flushed, renamed over it), so a crash at any
// moment leaves the library whole, old or new. Other browsers and k2klib runs may change
// the library at the same time: the kernel takes turns with them and removes the object
// from what the file holds when its turn comes, so a delete reported done is done and one
// reported failed has changed nothing. A project delete looks the object up in its
// project map by name (parts in the part map; symbols, packages and padstacks in the symbol
// map, told apart by their masks) and, when a component of some hierarchy uses it, asks
// whether to delete it anyway, because the net list would lose what the component refers
// to. No answer (or no) deletes nothing.

#include "formats/LibraryFile.h"
#include "platform/MessageBoxes.h"
#include "system/Result.h"

#include <string>
#include <string_view>

namespace k2k {

class Kernel;
class KernelLibraries;
class LibraryCatalogue;
class SuiteServices;

// The numbered message of a failed library delete: 18 for a part, 21 for the other kinds.
int LibraryDeleteErrorCode(LibraryKind kind) noexcept;

// Deletes the object of that name from the library file at path (suite form). It fails when
// the file does not open as a library of the kind's signature ("KaldeDLL20" for parts,
// "KaldeSLL20" for the others), does not hold an object of that name (exact comparison), or
// cannot be rewritten; the problem carries the kind's LibraryDeleteErrorCode and, for a
// rewrite, its errno (KernelLibraries::LastLibraryErrno) as the system error.
Status DeleteFromLibrary(KernelLibraries& kernel, LibraryKind kind, const std::string& path,
                         const std::string& name);

// The message box of a failed library delete: the problem's numbered message for the name,
// and when the library could not be rewritten (a system error) the write-failure text for
// its path (suite form) below it, which says when another program is changing the file.
MessageRequest LibraryDeleteFailure(const SuiteServices& services, const std::string& path,
                                    const std::string& name, const Problem& problem);

// The question asked before an object that the project uses is deleted from it, three lines:
// "Selected Part Used in Project", "Deleting this Part will cause NetList corruption",
// "Delete anyway ?" (symbols say Symbol; packages and padstacks say Package).
std::string ProjectUseQuestion(const SuiteServices& services, LibraryKind kind);

enum class ProjectDeletion {
    NotInProject, // the project's map holds no object of that name: nothing happened
    Kept,         // the object is used and the question was not answered yes
    Deleted,
    Failed, // the kernel did not remove it (Kernel::LastProjectError says why)
};

// Deletes the object of that name from the open project, asking ProjectUseQuestion through
// the services when a component uses it.
ProjectDeletion DeleteFromProject(Kernel& kernel, SuiteServices& services, LibraryKind kind,
                                  const std::string& name);

} // namespace k2k
