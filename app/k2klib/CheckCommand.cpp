// k2klib check --suite DIR: whether a suite holds together, judged by the readers the
// browser and the viewers use. Every library of the catalogue is present and reads whole;
// every library file of the library folder (listed or not) holds objects of its kind,
// whose drawings read without a problem; every pad is made of a padstack that a padstack
// library holds; every part's package and symbols are in a library of their kind. A part
// that names no package is counted in a note, not a problem.

#include "Commands.h"
#include "OpenedSuite.h"

#include "common/ObjectKinds.h"
#include "formats/Drawing.h"
#include "formats/LibraryFile.h"
#include "platform/LibraryName.h"
#include "search/InfoText.h"
#include "search/LibraryCatalogue.h"
#include "services/Directories.h"
#include "system/NativePath.h"
#include "system/Text.h"

#include <map>
#include <memory>
#include <ostream>
#include <set>

namespace k2k::cli {

namespace {

class SuiteCheck final {
public:
    SuiteCheck(const std::string& libDir, std::ostream& err) : m_libDir(libDir), m_err(err) {}

    // The catalogue's entries of a kind, in search order: each one must be there.
    void CheckListed(LibraryKind kind, const LibraryCatalogue& catalogue,
                     const SuiteServices& services) {
        for (int entry = 1; entry <= catalogue.Count(kind); ++entry) {
            const std::string where = "listed as library " + std::to_string(entry) + " of [" +
                                      std::string(FactsOf(kind).catalogueSection) + "]";
            const auto path = catalogue.LibraryPath(kind, entry, m_libDir);
            const std::string name(Trim(catalogue.Entries(kind)[entry - 1]));
            if (!path)
                Problem(JoinPath(m_libDir, name), where + ", but refused: " +
                                                      Cp1252ToUtf8(LibraryNameRefusal(
                                                          services, name, CheckLibraryName(name))));
            else if (!LibraryFilePresent(*path))
                Problem(*path, where + ", but missing");
        }
    }

    // Every library file of the kind in the library folder: read whole, its objects kept
    // for the checks that look across libraries.
    void ReadLibraries(LibraryKind kind) {
        for (const std::string& name : ListLibraryFiles(m_libDir, kind)) {
            const std::string path = JoinPath(m_libDir, name);
            Result<LibraryContents> read = ReadLibrary(NativePath(path));
            if (!read) {
                Problem(path, Cp1252ToUtf8(read.Message()));
                continue;
            }
            LibraryContents contents = std::move(read).Value();
            if (contents.kind != kind) {
                Problem(path, "holds " + std::string(FactsOf(contents.kind).name) + "s, not " +
                                  std::string(FactsOf(kind).name) + "s");
                continue;
            }
            ++m_libraries;
            for (LibraryObject& object : contents.objects) {
                m_names[kind].insert(object.name);
                m_objects.push_back({kind, path, std::move(object)});
            }
        }
    }

    void CheckObjects() {
        for (const Held& held : m_objects) {
            if (held.kind == LibraryKind::Part)
                CheckPart(held);
            else if (!held.object.drawing.empty())
                CheckDrawing(held);
        }
    }

    int Libraries() const noexcept { return m_libraries; }
    std::size_t Objects() const noexcept { return m_objects.size(); }
    int Drawings() const noexcept { return m_drawings; }
    int Problems() const noexcept { return m_problems; }
    int PartsWithoutPackage() const noexcept { return m_withoutPackage; }

private:
    struct Held {
        LibraryKind kind;
        std::string library; // suite form
        LibraryObject object;
    };

    void Problem(const std::string& library, const std::string& text) {
        m_err << Cp1252ToUtf8(DisplayPath(library)) << ": " << text << '\n';
        ++m_problems;
    }

    void Problem(const Held& held, const std::string& text) {
        Problem(held.library, std::string(FactsOf(held.kind).name) + " \"" +
                                  Cp1252ToUtf8(held.object.name) + "\": " + text);
    }

    // A part that names no package at all (many of an import's sources name no footprint)
    // is only counted: nothing dangles. One naming a package no library holds is a problem.
    void CheckPart(const Held& held) {
        const PartInfo info = SplitPartInfo(held.object.info);
        if (Trim(info.package).empty())
            ++m_withoutPackage;
        else if (!m_names[LibraryKind::Package].count(std::string(info.package)))
            Problem(held,
                    "its package \"" + Cp1252ToUtf8(info.package) + "\" is in no package library");
        for (std::string_view symbol : SplitAt(info.symbols, ','))
            if (!symbol.empty() && !m_names[LibraryKind::Symbol].count(std::string(symbol)))
                Problem(held,
                        "its symbol \"" + Cp1252ToUtf8(symbol) + "\" is in no symbol library");
    }

    void CheckDrawing(const Held& held) {
        ++m_drawings;
        const ParsedDrawing parsed = ParseDrawing(held.object.drawing);
        for (const DrawingProblem& problem : parsed.problems)
            Problem(held, "drawing statement " + std::to_string(problem.statement) + ": " +
                              Cp1252ToUtf8(problem.message));
        if (!parsed.drawing)
            return;
        const DrawingKind want = held.kind == LibraryKind::Symbol    ? DrawingKind::Symbol
                                 : held.kind == LibraryKind::Package ? DrawingKind::Package
                                                                     : DrawingKind::Padstack;
        if (parsed.drawing->kind != want)
            Problem(held, "a " + std::string(DrawingKindName(parsed.drawing->kind)) +
                              " drawing, not a " + std::string(DrawingKindName(want)) + " one");
        std::set<std::string> reported;
        for (const DrawPad& pad : parsed.drawing->pads)
            if (!m_names[LibraryKind::Padstack].count(pad.padstack) &&
                reported.insert(pad.padstack).second)
                Problem(held, "pad " + Cp1252ToUtf8(pad.number) + " is made of padstack \"" +
                                  Cp1252ToUtf8(pad.padstack) +
                                  "\", which no padstack library holds");
    }

    std::string m_libDir;
    std::ostream& m_err;
    std::vector<Held> m_objects;
    std::map<LibraryKind, std::set<std::string>> m_names;
    int m_libraries = 0;
    int m_drawings = 0;
    int m_problems = 0;
    int m_withoutPackage = 0;
};

void RunCheck(const std::string& suite, CommandContext& context) {
    const auto opened = OpenSuiteFor("check", suite, context);
    if (!opened)
        return;
    SuiteCheck check(opened->browser.Dirs().libDir, context.err);
    for (LibraryKind kind : kAllKinds) {
        check.CheckListed(kind, opened->browser.Catalogue(), opened->browser.Services());
        check.ReadLibraries(kind);
    }
    check.CheckObjects();
    context.out << check.Libraries() << " libraries, " << check.Objects() << " objects, "
                << check.Drawings() << " drawings read; " << check.Problems()
                << (check.Problems() == 1 ? " problem" : " problems");
    if (const int none = check.PartsWithoutPackage(); none > 0)
        context.out << "; note: " << none << (none == 1 ? " part names" : " parts name")
                    << " no package";
    context.out << '\n';
    context.exitCode = check.Problems() == 0 ? 0 : 1;
}

} // namespace

void AddCheckCommand(CLI::App& app, CommandContext& context) {
    AddSuiteCommand(app, "check",
                    "check that a suite holds together: its catalogue's libraries are there and "
                    "read, drawings read, pads, packages and symbols name objects the suite has",
                    context, RunCheck);
}

} // namespace k2k::cli
