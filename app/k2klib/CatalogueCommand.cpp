// k2klib catalogue --suite DIR [--contents]: the suite's library catalogue per kind in
// search order, each library with its object count, the library files that no search
// reads, and with --contents every object of every library. Libraries are read exactly as
// a search reads them: a missing one gets the browser's message and the next one follows.

#include "Commands.h"
#include "ObjectLines.h"
#include "OpenedSuite.h"

#include "common/ObjectKinds.h"
#include "platform/Kernel.h"
#include "platform/LibraryName.h"
#include "platform/SuiteFolder.h"
#include "platform/SuiteServices.h"
#include "search/LibraryCatalogue.h"
#include "services/Directories.h"
#include "system/NativePath.h"
#include "system/Text.h"

#include <algorithm>
#include <iomanip>
#include <ostream>
#include <set>

namespace k2k::cli {

namespace {

// Library files of the folder that fit the kind's pattern ("*.PART") but that the
// catalogue does not name.
std::vector<std::string> UnlistedLibraries(const std::string& libDir, LibraryKind kind,
                                           const std::vector<std::string>& entries) {
    std::set<std::string> listed;
    for (const std::string& entry : entries)
        listed.insert(UpperCase(Trim(entry)));
    std::vector<std::string> unlisted;
    for (const std::string& name : ListLibraryFiles(libDir, kind))
        if (!listed.count(UpperCase(name)))
            unlisted.push_back(name);
    std::sort(unlisted.begin(), unlisted.end());
    return unlisted;
}

void RunCatalogue(const std::string& suite, bool contents, CommandContext& context) {
    std::ostream& out = context.out;
    const auto opened = OpenSuiteFor("catalogue", suite, context);
    if (!opened)
        return;
    SuiteServices& services = opened->browser.Services();
    Kernel& kernel = opened->kernel;
    const Directories& directories = opened->browser.Dirs();
    const LibraryCatalogue& catalogue = opened->browser.Catalogue();

    out << "Suite initialisation file: " << Cp1252ToUtf8(DisplayPath(services.IniFile())) << '\n'
        << "Library directory: " << Cp1252ToUtf8(DisplayPath(directories.libDir)) << '\n'
        << "Open project: "
        << (opened->projectPath.empty() ? std::string("(none)")
                                        : Cp1252ToUtf8(DisplayPath(opened->projectPath)))
        << '\n';

    LibraryDescriptions descriptions;
    for (LibraryKind kind : kAllKinds) {
        const int count = catalogue.Count(kind);
        out << '\n'
            << FactsOf(kind).title << " libraries (" << FactsOf(kind).catalogueSection << "), "
            << count << " in search order:\n";
        for (int entry = 1; entry <= count; ++entry) {
            const auto path = catalogue.LibraryPath(kind, entry, directories.libDir);
            const std::string name(Trim(catalogue.Entries(kind)[entry - 1]));
            out << std::setw(5) << entry << "  " << std::left << std::setw(24) << Cp1252ToUtf8(name)
                << std::right;
            if (!path) {
                out << "  refused: "
                    << Cp1252ToUtf8(LibraryNameRefusal(services, name, CheckLibraryName(name)))
                    << '\n';
                continue;
            }
            if (!LibraryFilePresent(*path)) {
                out << "  missing\n";
                continue;
            }
            const int objects = ReadObjectCount(*path).value_or(0);
            out << std::setw(9) << objects << (objects == 1 ? " object\n" : " objects\n");
        }
        const auto unlisted = UnlistedLibraries(directories.libDir, kind, catalogue.Entries(kind));
        for (const std::string& name : unlisted)
            out << "    -  " << std::left << std::setw(24) << Cp1252ToUtf8(name) << std::right
                << "  in the library folder, not in the search sequence\n";
    }

    if (!contents) {
        context.exitCode = 0;
        return;
    }
    for (LibraryKind kind : kAllKinds) {
        for (int entry = 1; entry <= catalogue.Count(kind); ++entry) {
            const auto path = catalogue.LibraryPath(kind, entry, directories.libDir);
            if (!path)
                continue; // said in the list above
            out << "\n== " << FactsOf(kind).title << " library " << entry << ": "
                << Cp1252ToUtf8(DisplayPath(*path)) << '\n';
            const LibraryReadOutcome outcome =
                ReadLibraryDescriptions(kernel, services, kind, *path, descriptions);
            if (outcome == LibraryReadOutcome::Missing) {
                out << "(not found)\n";
                continue;
            }
            if (outcome == LibraryReadOutcome::Empty) {
                out << "(no objects)\n";
                continue;
            }
            WriteObjectHeader(out, kind);
            for (const LibraryInfoRecord& record : descriptions.records)
                WriteObjectLine(out, kind, record.field1,
                                kind == LibraryKind::Part ? record.field3 : record.field2);
        }
    }
    context.exitCode = 0;
}

} // namespace

void AddCatalogueCommand(CLI::App& app, CommandContext& context) {
    const auto run = [](const FileAndSwitch& a, CommandContext& c) {
        RunCatalogue(a.path, a.on, c);
    };
    auto [command, a] = AddCommand<FileAndSwitch>(
        app, "catalogue", "show a suite's libraries per kind in search order, and their contents",
        context, run);
    AddSuiteOption(command, a.path);
    command.add_flag("--contents", a.on, "list every object of every library");
}

} // namespace k2k::cli
