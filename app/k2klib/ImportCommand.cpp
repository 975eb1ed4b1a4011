// k2klib import --suite DIR [--symbols DIR] [--footprints DIR]: the symbol and footprint
// libraries of the open-source EDA tool into a suite. Each source library "NAME.kicad_sym"
// becomes NAME.PART and NAME.SYMBOL in the suite's library folder, each footprint folder
// "NAME.pretty" NAME.PACKAGE, and the pads of every footprint the padstacks of
// KiCad_Padstacks.PADSTACK (replacing the files an earlier import wrote). Every library new to the
// catalogue is added at the end of its kind's search sequence, as the search-sequence
// dialog would add it; a library the suite holds that no import wrote is never replaced
// (see LibraryNames). An empty folder option skips its pass. A progress line goes to
// standard error; the report (objects left out, names several libraries hold, losses by
// kind, the totals) to standard output.

#include "Commands.h"
#include "FootprintImport.h"
#include "ImportReport.h"
#include "ImportText.h"
#include "KicadFootprints.h"
#include "KicadSymbols.h"
#include "OpenedSuite.h"
#include "SExpression.h"
#include "SymbolImport.h"

#include "common/ObjectKinds.h"
#include "platform/AtomicFile.h"
#include "platform/NativePath.h"
#include "platform/Text.h"
#include "search/LibraryCatalogue.h"
#include "services/Directories.h"

#include <algorithm>
#include <iostream>
#include <ostream>
#include <set>
#include <unordered_map>

#include <unistd.h>

namespace k2k::cli {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kDefaultSymbolFolder = "/usr/share/kicad/symbols";
constexpr std::string_view kSymbolExtension = ".kicad_sym";
constexpr std::string_view kDefaultFootprintFolder = "/usr/share/kicad/footprints";
constexpr std::string_view kFootprintFolderExtension = ".pretty";
constexpr std::string_view kFootprintExtension = ".kicad_mod";
constexpr std::string_view kPadstackLibrary = "KiCad_Padstacks";

struct ImportArguments {
    std::string suite;
    std::string symbols{kDefaultSymbolFolder};
    std::string footprints{kDefaultFootprintFolder};
    bool replace = false;
};

// The source libraries of a folder, by name: files, or with folders set, folders.
bool SourceFiles(const fs::path& folder, std::string_view extension, std::vector<fs::path>& files,
                 std::string& error, bool folders = false) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) {
        error = "cannot read the folder " + folder.string() + ": " + ec.message();
        return false;
    }
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        const fs::path& path = it->path();
        if (path.extension() == extension &&
            (folders ? it->is_directory(ec) : it->is_regular_file(ec)))
            files.push_back(path);
    }
    std::sort(files.begin(), files.end());
    if (files.empty() && !folders) {
        error = "the folder " + folder.string() + " holds no " + std::string(extension) + " files";
        return false;
    }
    if (files.empty()) {
        error =
            "the folder " + folder.string() + " holds no " + std::string(extension) + " folders";
        return false;
    }
    return true;
}

// Which libraries hold each name, so that names several libraries hold are reported.
class NameRegister final {
public:
    explicit NameRegister(std::string kind) : m_kind(std::move(kind)) {}

    void Add(const std::vector<LibraryObject>& objects, const std::string& library) {
        for (const LibraryObject& object : objects) {
            const auto [at, added] = m_index.emplace(UpperCase(object.name), m_names.size());
            if (added)
                m_names.push_back({Cp1252ToUtf8(object.name), {}});
            m_names[at->second].libraries.push_back(library);
        }
    }

    void Report(ImportReport& report) const {
        for (const Name& name : m_names) {
            if (name.libraries.size() < 2)
                continue;
            std::string line = m_kind + " \"" + name.name + "\":";
            for (std::size_t i = 0; i < name.libraries.size(); ++i)
                line += (i == 0 ? " " : ", ") + name.libraries[i];
            report.ShareName(std::move(line));
        }
    }

private:
    struct Name {
        std::string name; // UTF-8, as the first library writes it
        std::vector<std::string> libraries;
    };
    std::string m_kind;
    std::unordered_map<std::string, std::size_t> m_index;
    std::vector<Name> m_names;
};

// Overwrites itself on a terminal line; the last one is ended by Finish. Into a file or a
// pipe, where a carriage return would not go back, it writes every tenth of the work and
// its end, each on a line of its own. Its texts name source files, so they are shown with
// their control characters escaped; only its own carriage return goes out as it is.
class ProgressLine final {
public:
    ProgressLine(std::ostream& err, bool terminal) : m_err(err), m_terminal(terminal) {}
    // text is step of total.
    void Show(std::size_t step, std::size_t total, const std::string& text) {
        const std::string shown = EscapeControls(text);
        if (!m_terminal) {
            if (step == total || step * 10 / total != (step - 1) * 10 / total)
                m_err << shown << '\n';
            return;
        }
        m_err << '\r' << shown;
        if (shown.size() < m_shown)
            m_err << std::string(m_shown - shown.size(), ' ');
        m_err.flush();
        m_shown = shown.size();
    }
    void Finish() {
        if (m_shown > 0)
            m_err << '\n';
        m_shown = 0;
    }

private:
    std::ostream& m_err;
    bool m_terminal;
    std::size_t m_shown = 0;
};

// Which names an imported library may be written under. A library the suite holds (in the
// library folder or in the catalogue, compared without regard to case, as the suite
// compares file names) that no import wrote is never replaced: a source library of that
// name is written as NAME_KiCad (NAME_KiCad2, ...). The files the imports wrote are listed
// in the library folder, so that a later import replaces them.
class LibraryNames final {
public:
    static constexpr std::string_view kListName = "kicad-import.txt";

    LibraryNames(const std::string& libDir, const LibraryCatalogue& catalogue)
        : m_list(NativePath(JoinPath(libDir, std::string(kListName)))) {
        std::string text;
        if (ReadWholeFile(m_list, text))
            for (std::string_view rest = text; !rest.empty();)
                if (const std::string_view line = Trim(TakeLine(rest)); !line.empty())
                    m_imported.insert(UpperCase(line));
        for (const ObjectKindFacts& facts : kObjectKindFacts) {
            for (const std::string& file : ListLibraryFiles(libDir, facts.kind))
                Take(file);
            for (const std::string& entry : catalogue.Entries(facts.kind))
                Take(std::string(Trim(entry)));
        }
    }

    // The stem under which every kind's library of the source is written; a new one is
    // reported. stem: the source's name in the suite's encoding, source: as it is written.
    std::string StemFor(const std::string& stem, std::string_view source,
                        std::initializer_list<LibraryKind> kinds, ImportReport& report) {
        for (int n = 1;; ++n) {
            const std::string candidate =
                n == 1 ? stem : stem + "_KiCad" + (n == 2 ? "" : std::to_string(n - 1));
            const bool free = std::none_of(kinds.begin(), kinds.end(), [&](LibraryKind kind) {
                return m_taken.contains(UpperCase(candidate + LibraryFileExtension(kind)));
            });
            if (free) {
                for (const LibraryKind kind : kinds)
                    Wrote(candidate + LibraryFileExtension(kind));
                if (n > 1)
                    report.Rename(std::string(source) + ": written as " + Cp1252ToUtf8(candidate) +
                                  ", since the suite holds a library of that name that no import "
                                  "wrote");
                return candidate;
            }
        }
    }

    // Lists the files written, with those of earlier imports.
    bool Save(std::string& error) const {
        std::vector<std::string> names(m_written.begin(), m_written.end());
        for (const std::string& name : m_imported)
            if (!m_written.contains(name))
                names.push_back(name);
        std::sort(names.begin(), names.end());
        std::string text;
        for (const std::string& name : names)
            text += name + "\n";
        return WriteFileAtomically(m_list, text, &error);
    }

private:
    // An existing name: taken unless an import wrote it.
    void Take(const std::string& name) {
        const std::string key = UpperCase(name);
        if (!m_imported.contains(key))
            m_taken.insert(key);
    }
    void Wrote(const std::string& name) {
        m_taken.insert(UpperCase(name));
        m_written.insert(UpperCase(name));
    }

    std::filesystem::path m_list;
    std::set<std::string> m_imported; // upper case, as the list holds them
    std::set<std::string> m_taken;
    std::set<std::string> m_written;
};

// Adds the libraries the catalogue does not list yet to the end of their kind's list.
void Register(LibraryKind kind, const std::vector<std::string>& libraries,
              LibraryCatalogue& catalogue, std::size_t& added) {
    std::vector<std::string> entries = catalogue.Entries(kind);
    for (const std::string& library : libraries) {
        const bool listed = std::any_of(entries.begin(), entries.end(), [&](const std::string& e) {
            return EqualsNoCase(Trim(e), library);
        });
        if (!listed) {
            entries.push_back(library);
            ++added;
        }
    }
    catalogue.SetEntries(kind, std::move(entries));
}

// Shows source n of a pass and answers its name in the suite's encoding; a name the suite
// cannot hold loses the library.
std::optional<std::string> StartLibrary(std::string_view kind, const std::vector<fs::path>& sources,
                                        std::size_t n, ProgressLine& progress,
                                        ImportReport& report) {
    const std::string stem = sources[n].stem().string();
    progress.Show(n + 1, sources.size(),
                  "import: " + std::string(kind) + " library " + std::to_string(n + 1) + " of " +
                      std::to_string(sources.size()) + ": " + stem);
    UnholdableCharacter bad;
    auto name = ToSuiteText(stem, TextUse::Field, bad);
    if (!name)
        report.LoseLibrary(sources[n].string() + ": the suite cannot name a library with " +
                           DescribeUnholdable(bad));
    return name;
}

// What the passes wrote, for the catalogue.
struct Written {
    std::vector<std::string> parts, symbols, packages, padstacks;
};

void ImportSymbols(const std::string& folder, const std::string& libDir, const TextOptions& options,
                   LibraryNames& libraryNames, ImportReport& report, Written& written,
                   ProgressLine& progress, CommandContext& context) {
    std::vector<fs::path> files;
    std::string error;
    if (!SourceFiles(folder, kSymbolExtension, files, error)) {
        context.err << "k2klib import: " << error << '\n';
        context.exitCode = 1;
        return;
    }
    report.totals.sourceLibraries = files.size();
    NameRegister partNames("part");
    NameRegister symbolNames("symbol");
    SDocument document;
    kicad::SymbolLibrary source;
    ImportedLibrary imported;
    for (std::size_t n = 0; n < files.size(); ++n) {
        const std::string stem = files[n].stem().string();
        const auto name = StartLibrary("symbol", files, n, progress, report);
        if (!name)
            continue;
        if (!document.Load(files[n], error) ||
            !kicad::ReadSymbolLibrary(document, files[n].string(), source, error)) {
            report.LoseLibrary(error);
            continue;
        }
        report.totals.symbolsRead += source.symbols.size() + source.problems.size();
        ImportSymbolLibrary(source, stem, options, imported, report);
        const std::string stored =
            libraryNames.StemFor(*name, stem, {LibraryKind::Part, LibraryKind::Symbol}, report);
        const std::string partLibrary = stored + LibraryFileExtension(LibraryKind::Part);
        const std::string symbolLibrary = stored + LibraryFileExtension(LibraryKind::Symbol);
        if (!WriteLibrary(NativePath(JoinPath(libDir, partLibrary)), LibraryKind::Part,
                          imported.parts, error) ||
            !WriteLibrary(NativePath(JoinPath(libDir, symbolLibrary)), LibraryKind::Symbol,
                          imported.symbols, error)) {
            report.LoseLibrary(error);
            continue;
        }
        written.parts.push_back(partLibrary);
        written.symbols.push_back(symbolLibrary);
        report.totals.partLibraries += 1;
        report.totals.symbolLibraries += 1;
        report.totals.parts += imported.parts.size();
        report.totals.symbols += imported.symbols.size();
        partNames.Add(imported.parts, stem);
        symbolNames.Add(imported.symbols, stem);
    }
    partNames.Report(report);
    symbolNames.Report(report);
}

// The footprints of one folder; one that cannot be read is left out and listed.
void ReadFootprints(const fs::path& folder, const std::string& library, SDocument& document,
                    std::vector<kicad::Footprint>& footprints, ImportReport& report) {
    footprints.clear();
    std::vector<fs::path> files;
    std::string error;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec); !ec && it != fs::directory_iterator();
         it.increment(ec))
        if (it->path().extension() == kFootprintExtension)
            files.push_back(it->path());
    std::sort(files.begin(), files.end());
    report.totals.footprintsRead += files.size();
    for (const fs::path& file : files) {
        footprints.emplace_back();
        if (!document.Load(file, error) ||
            !kicad::ReadFootprint(document, file.string(), footprints.back(), error)) {
            footprints.pop_back();
            report.LeaveOut(library + ": package \"" + file.stem().string() + "\": " + error);
        }
    }
}

void ImportFootprints(const std::string& folder, const std::string& libDir,
                      const TextOptions& options, LibraryNames& libraryNames, ImportReport& report,
                      Written& written, ProgressLine& progress, CommandContext& context) {
    std::vector<fs::path> folders;
    std::string error;
    if (!SourceFiles(folder, kFootprintFolderExtension, folders, error, true)) {
        context.err << "k2klib import: " << error << '\n';
        context.exitCode = 1;
        return;
    }
    report.totals.footprintLibraries = folders.size();
    NameRegister packageNames("package");
    SDocument document;
    std::vector<kicad::Footprint> footprints;
    std::vector<LibraryObject> packages;
    Padstacks padstacks;
    for (std::size_t n = 0; n < folders.size(); ++n) {
        const std::string stem = folders[n].stem().string();
        const auto name = StartLibrary("footprint", folders, n, progress, report);
        if (!name)
            continue;
        std::error_code ec;
        const fs::directory_iterator readable(folders[n], ec);
        if (ec) {
            report.LoseLibrary("cannot read the folder " + folders[n].string() + ": " +
                               ec.message());
            continue;
        }
        ReadFootprints(folders[n], stem, document, footprints, report);
        ImportFootprintLibrary(footprints, stem, options, packages, padstacks, report);
        const std::string packageLibrary =
            libraryNames.StemFor(*name, stem, {LibraryKind::Package}, report) +
            LibraryFileExtension(LibraryKind::Package);
        if (!WriteLibrary(NativePath(JoinPath(libDir, packageLibrary)), LibraryKind::Package,
                          packages, error)) {
            report.LoseLibrary(error);
            continue;
        }
        written.packages.push_back(packageLibrary);
        report.totals.packageLibraries += 1;
        report.totals.packages += packages.size();
        packageNames.Add(packages, stem);
    }
    packageNames.Report(report);
    if (padstacks.empty())
        return;
    std::vector<LibraryObject> objects;
    objects.reserve(padstacks.size());
    for (auto& [name, object] : padstacks)
        objects.push_back(std::move(object));
    const std::string padstackLibrary =
        libraryNames.StemFor(std::string(kPadstackLibrary), kPadstackLibrary,
                             {LibraryKind::Padstack}, report) +
        LibraryFileExtension(LibraryKind::Padstack);
    if (!WriteLibrary(NativePath(JoinPath(libDir, padstackLibrary)), LibraryKind::Padstack, objects,
                      error)) {
        report.LoseLibrary(error);
        return;
    }
    written.padstacks.push_back(padstackLibrary);
    report.totals.padstacks = objects.size();
}

void RunImport(const ImportArguments& arguments, CommandContext& context) {
    const auto opened = OpenSuiteFor("import", arguments.suite, context);
    if (!opened)
        return;
    const std::string libDir = opened->browser.Dirs().libDir;
    std::error_code ec;
    fs::create_directories(NativePath(libDir), ec);

    ImportReport report;
    Written written;
    ProgressLine progress(context.rawErr, &context.rawErr == &std::cerr && isatty(STDERR_FILENO));
    LibraryNames libraryNames(libDir, opened->browser.Catalogue());
    const TextOptions options{.replaceCharacters = arguments.replace};
    if (!arguments.symbols.empty())
        ImportSymbols(arguments.symbols, libDir, options, libraryNames, report, written, progress,
                      context);
    if (!arguments.footprints.empty()) {
        progress.Finish();
        ImportFootprints(arguments.footprints, libDir, options, libraryNames, report, written,
                         progress, context);
    }
    progress.Finish();
    std::string error;
    if (!libraryNames.Save(error))
        report.LoseLibrary("the list of imported libraries could not be written (" + error +
                           "); a later import will not replace them");
    if (context.exitCode != 0 && written.parts.empty() && written.packages.empty())
        return;

    LibraryCatalogue catalogue = opened->browser.Catalogue();
    std::size_t added = 0;
    Register(LibraryKind::Part, written.parts, catalogue, added);
    Register(LibraryKind::Symbol, written.symbols, catalogue, added);
    Register(LibraryKind::Package, written.packages, catalogue, added);
    Register(LibraryKind::Padstack, written.padstacks, catalogue, added);
    if (added > 0 && !catalogue.Save(opened->browser.Services())) {
        report.LoseLibrary("the catalogue could not be written; the libraries are in " +
                           Cp1252ToUtf8(DisplayPath(libDir)) + " but no search reads them");
    } else {
        report.totals.registered = added;
    }
    report.Write(context.out);
    if (!report.LostLibraries().empty())
        context.exitCode = 1;
}

} // namespace

void AddImportCommand(CLI::App& app, CommandContext& context) {
    auto [command, a] = AddCommand<ImportArguments>(
        app, "import",
        "import the symbol libraries (.kicad_sym) and footprint libraries (.pretty) of the "
        "open-source EDA tool into a suite: a part and a symbol library each, a package library "
        "each and one padstack library, added to the catalogue; reports what was left out",
        context, RunImport);
    AddSuiteOption(command, a.suite);
    command.add_option("--symbols", a.symbols,
                       "folder of .kicad_sym files (default " + std::string(kDefaultSymbolFolder) +
                           "; empty: none)");
    command.add_option("--footprints", a.footprints,
                       "folder of .pretty footprint folders (default " +
                           std::string(kDefaultFootprintFolder) + "; empty: none)");
    AddReplaceOption(command, a.replace);
}

} // namespace k2k::cli
