// k2klib delete: the browser's delete of one object, by name, without a window. The object
// goes from a library of its kind (the one named with --library, else the first library of
// the kind's search sequence that holds it) or, with --project, from the suite's open
// project. Without --yes nothing changes: the command says what it would delete and which
// questions the browser would ask. With --yes those questions count as answered yes, the
// project's use question included. Exit status 0 when the object was (or would be)
// deleted, 1 when it could not be, 2 with usage for bad arguments.

#include "Commands.h"
#include "OpenedSuite.h"

#include "browser/BrowserComponent.h"
#include "browser/DeleteFromLibrary.h"
#include "common/Messages.h"
#include "common/ObjectKinds.h"
#include "platform/LibraryName.h"
#include "search/LibraryLookup.h"
#include "search/LibraryMaintenance.h"
#include "search/ProjectStatus.h"
#include "sources/LibrarySource.h"
#include "system/NativePath.h"
#include "system/Text.h"

#include <ostream>

namespace k2k::cli {

namespace {

struct DeleteArguments {
    std::string suite;
    std::string kind;
    std::string name;
    std::string library;
    bool project = false;
    bool yes = false;
};

std::string Shown(const std::string& suitePath) {
    return Cp1252ToUtf8(DisplayPath(suitePath));
}

// A question as one line of output: its lines joined by " / ".
std::string OneLine(std::string text) {
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.replace(at, 2, " / ");
    return Cp1252ToUtf8(text);
}

// True when the library at path opens as a library of the kind and holds the object.
bool Holds(KernelLibraries& kernel, LibraryKind kind, const std::string& path,
           const std::string& name) {
    const int library =
        kernel.E_OpenLibrary(path, std::string(SignatureOf(kind)), KernelLibraries::kModeLoad);
    if (library <= 0)
        return false;
    const bool held = kernel.E_OpenLibToRead(library, name) > 0;
    kernel.E_CloseLibrary(library);
    return held;
}

void DeleteInProject(OpenedSuite& opened, LibraryKind kind, const std::string& name,
                     const DeleteArguments& a, CommandContext& context) {
    Kernel& kernel = opened.kernel;
    SuiteServices& services = opened.browser.Services();
    const std::string title(FactsOf(kind).name);
    if (opened.projectPath.empty()) {
        context.err << "k2klib delete: the suite has no open project\n";
        context.exitCode = 1;
        return;
    }
    const std::string where = "the project " + Shown(opened.projectPath);
    const int index = FindInProject(kernel, kind, name);
    if (index <= 0) {
        context.err << "k2klib delete: " << where << " holds no " << title << " named " << a.name
                    << '\n';
        context.exitCode = 1;
        return;
    }
    if (!a.yes) {
        context.out << "would delete " << title << ' ' << a.name << " from " << where << '\n'
                    << "the browser asks: " << OneLine(DeleteQuestion(services, kind)) << '\n';
        if (UsedInProject(kernel, kind, index))
            context.out << "and, since a component uses it: "
                        << OneLine(ProjectUseQuestion(services, kind)) << '\n';
        context.out << "nothing deleted; --yes answers yes\n";
        return;
    }
    switch (DeleteFromProject(kernel, services, kind, name)) {
    case ProjectDeletion::Deleted:
        context.out << "deleted " << title << ' ' << a.name << " from " << where << '\n';
        return;
    case ProjectDeletion::Failed:
        context.err << "k2klib delete: " << Cp1252ToUtf8(kernel.LastProjectError()) << '\n';
        break;
    case ProjectDeletion::NotInProject:
    case ProjectDeletion::Kept:
        context.err << "k2klib delete: " << a.name << " was not deleted\n";
        break;
    }
    context.exitCode = 1;
}

void DeleteInLibrary(OpenedSuite& opened, LibraryKind kind, const std::string& name,
                     const DeleteArguments& a, CommandContext& context) {
    Kernel& kernel = opened.kernel;
    BrowserComponent& browser = opened.browser;
    SuiteServices& services = browser.Services();
    const std::string title(FactsOf(kind).name);
    std::string path;
    std::string from;
    if (!a.library.empty()) {
        const std::string library = SuiteText("--library", a.library);
        const auto libraryPath = LibraryFilePath(browser.Dirs().libDir, library);
        if (!libraryPath) {
            context.err << "k2klib delete: "
                        << Cp1252ToUtf8(
                               LibraryNameRefusal(services, library, CheckLibraryName(library)))
                        << '\n';
            context.exitCode = 1;
            return;
        }
        path = *libraryPath;
        from = Shown(path);
        if (!a.yes && !Holds(kernel, kind, path, name)) {
            context.err << "k2klib delete: " << from << " is no " << title << " library holding "
                        << a.name << '\n';
            context.exitCode = 1;
            return;
        }
    } else {
        const auto found =
            FindLibrary(kernel, browser.Catalogue(), browser.Dirs().libDir, kind, name);
        if (!found) {
            context.err << "k2klib delete: no library of the " << title << " search sequence holds "
                        << a.name << '\n';
            context.exitCode = 1;
            return;
        }
        kernel.E_CloseLibrary(found->library);
        path = found->path;
        from = Shown(path) + " (library " + std::to_string(found->position) + " of the " + title +
               " search sequence)";
    }
    if (!a.yes) {
        context.out << "would delete " << title << ' ' << a.name << " from " << from << '\n'
                    << "the browser asks: " << OneLine(DeleteQuestion(services, kind)) << '\n'
                    << "nothing deleted; --yes answers yes\n";
        return;
    }
    if (const Status deleted = DeleteFromLibrary(kernel, kind, path, name); !deleted) {
        services.Boxes().Show(LibraryDeleteFailure(services, path, name, deleted.Error()));
        context.exitCode = 1;
        return;
    }
    context.out << "deleted " << title << ' ' << a.name << " from " << from << '\n';
}

void RunDelete(const DeleteArguments& a, CommandContext& context) {
    const LibraryKind kind = KindNamed(a.kind);
    const std::string name = SuiteText("NAME", a.name);
    const auto opened = OpenSuiteFor("delete", a.suite, context);
    if (!opened)
        return;
    opened->boxes.AnswerQuestionsYes(a.yes);
    context.exitCode = 0;
    if (a.project)
        DeleteInProject(*opened, kind, name, a, context);
    else
        DeleteInLibrary(*opened, kind, name, a, context);
}

} // namespace

void AddDeleteCommand(CLI::App& app, CommandContext& context) {
    auto [command, a] = AddCommand<DeleteArguments>(
        app, "delete", "delete an object from a library or the open project, as the browser does",
        context, RunDelete);
    AddSuiteOption(command, a.suite);
    AddKindOption(command, a.kind, "part, symbol, package or padstack");
    command.add_option("NAME", a.name, "the object's name (exact)")->required();
    auto* library =
        command.add_option("--library", a.library,
                           "the library file in the library folder (default: the first "
                           "library of the kind's search sequence that holds the object)");
    auto* project = command.add_flag("--project", a.project, "delete from the open project");
    library->excludes(project);
    command.add_flag("--yes", a.yes,
                     "delete, answering yes to the browser's questions (default: only say "
                     "what would be deleted)");
}

} // namespace k2k::cli
