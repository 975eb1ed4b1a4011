// k2klib import --suite DIR [--symbols DIR] [--footprints DIR]: the symbol and footprint
// libraries of the open-source EDA tool into a suite. Each source library "NAME.kicad_sym"
// becomes NAME.PART and NAME.SYMBOL in the suite's library folder, each footprint folder
// "NAME.pretty" NAME.PACKAGE, and the pads of every footprint the padstacks of
// KiCad_Padstacks.PADSTACK (replacing the files an earlier import wrote). Every library new to the
// catalogue is added at the end of its kind's search sequence, as the search-sequence
// dialog would add it; a library the suite holds that no import wrote is never replaced
// (see ImportRecord), and a source whose name is no plain library name is not imported.
// An import holds a lock on its record for its whole run and can be killed at any moment:
// the next one finishes it. An empty folder option skips its pass. A progress line goes to
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
#include "platform/LibraryName.h"
#include "platform/SuiteServices.h"
#include "search/LibraryCatalogue.h"
#include "services/Directories.h"
#include "system/AtomicFile.h"
#include "system/FileLock.h"
#include "system/NativePath.h"
#include "system/Text.h"

#include <algorithm>
#include <cstring>
#include <iostream>
#include <optional>
#include <ostream>
#include <set>
#include <unordered_map>
#include <utility>

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

// A source library and the name its libraries are written under.
struct PlannedLibrary {
    fs::path source;
    std::string stem;                   // the source's name, as the file system gives it
    std::string stored;                 // the name written, in the suite's encoding
    std::string refusal;                // why there is none: the library is not imported
    bool renamed = false;               // stored is not the source's own name
    std::vector<fs::path> footprints;   // a footprint folder's files
    std::vector<std::string> libraries; // the file names written, one per kind
};

// The record of what the imports wrote, kicad-import.txt in the library folder, and the
// names an import writes under. A library the suite holds (in the library folder or in
// the catalogue, compared without regard to case, as the suite compares file names) that
// no import wrote is never replaced: a source library of that name is written as
// NAME_KiCad (NAME_KiCad2, ...); one an import wrote is replaced.
//
// An import is one transaction as a person sees it. Every name is decided before the first
// library is written, and the names not recorded yet are recorded as planned
// ("planned: NAME"), so that after a kill the next import knows the files as an import's
// own and writes them again under the same names. Its end records what it wrote, and
// removes the files of planned names that no import finished and no catalogue lists.
// Every name of the record passes the library-name rule before it is used.
class ImportRecord final {
public:
    static constexpr std::string_view kFileName = "kicad-import.txt";
    static constexpr std::string_view kPlanned = "planned: ";

    ImportRecord(const std::string& libDir, const LibraryCatalogue& catalogue)
        : m_libDir(libDir), m_file(NativePath(JoinPath(libDir, std::string(kFileName)))) {
        std::string text;
        if (ReadWholeFile(m_file, text)) {
            m_before = text;
            for (std::string_view rest = text; !rest.empty();) {
                std::string_view line = Trim(TakeLine(rest));
                const bool planned = line.starts_with(kPlanned);
                if (planned)
                    line.remove_prefix(kPlanned.size());
                if (CheckLibraryName(line) != LibraryNameFault::None)
                    continue;
                (planned ? m_planned : m_done).insert(UpperCase(line));
            }
        }
        for (const ObjectKindFacts& facts : kObjectKindFacts) {
            for (const std::string& file : ListLibraryFiles(libDir, facts.kind))
                Take(file);
            for (const std::string& entry : catalogue.Entries(facts.kind))
                Take(std::string(Trim(entry)));
        }
    }

    // True when an import planned names and did not finish.
    bool Interrupted() const noexcept { return !m_planned.empty(); }

    // Decides the name a source library is written under, one file of each kind, or why it
    // cannot be imported.
    void Plan(PlannedLibrary& library, std::initializer_list<LibraryKind> kinds,
              const SuiteServices& services) {
        UnholdableCharacter bad;
        const auto name = ToSuiteText(library.stem, TextUse::Field, bad);
        if (!name) {
            library.refusal = "the suite cannot name a library with " + DescribeUnholdable(bad);
            return;
        }
        for (const LibraryKind kind : kinds) {
            const std::string file = *name + std::string(LibraryFileExtension(kind));
            if (const LibraryNameFault fault = CheckLibraryName(file);
                fault != LibraryNameFault::None) {
                library.refusal = Cp1252ToUtf8(LibraryNameRefusal(services, file, fault));
                return;
            }
        }
        for (int n = 1;; ++n) {
            const std::string candidate =
                n == 1 ? *name : *name + "_KiCad" + (n == 2 ? "" : std::to_string(n - 1));
            const bool free = std::none_of(kinds.begin(), kinds.end(), [&](LibraryKind kind) {
                return m_taken.contains(UpperCase(candidate + LibraryFileExtension(kind)));
            });
            if (!free)
                continue;
            library.stored = candidate;
            library.renamed = n > 1;
            for (const LibraryKind kind : kinds) {
                library.libraries.push_back(candidate + std::string(LibraryFileExtension(kind)));
                const std::string key = UpperCase(library.libraries.back());
                m_taken.insert(key);
                if (!m_done.contains(key))
                    m_planned.insert(key);
            }
            return;
        }
    }

    // Records the plan before anything is written.
    bool SavePlan(std::string& error) { return Save(Text(true), error); }

    void Wrote(const std::string& library) { m_wrote.insert(UpperCase(library)); }

    // Records what was written. A planned name that this import did not write was an earlier,
    // killed import's: its file stays when a catalogue lists it (that import got as far as
    // registering it), and is removed otherwise, with a new file a killed rewrite left.
    bool Finish(const LibraryCatalogue& catalogue, std::string& error) {
        std::set<std::string> listed;
        for (const ObjectKindFacts& facts : kObjectKindFacts)
            for (const std::string& entry : catalogue.Entries(facts.kind))
                listed.insert(UpperCase(Trim(entry)));
        m_done.insert(m_wrote.begin(), m_wrote.end());
        for (const std::string& name : std::exchange(m_planned, {})) {
            if (m_done.contains(name))
                continue;
            const fs::path file = NativePath(JoinPath(m_libDir, name));
            std::error_code ec;
            if (listed.contains(name) && fs::exists(file, ec)) {
                m_done.insert(name);
                continue;
            }
            const fs::path newFile =
                NativePath(JoinPath(m_libDir, NewFilePath(fs::path(name)).string()));
            for (const fs::path& leftover : {file, newFile}) {
                int errorNumber = 0;
                if (fs::exists(leftover, ec) && !RemoveFile(leftover, &errorNumber)) {
                    error =
                        "cannot remove " + leftover.string() + ": " + std::strerror(errorNumber);
                    return false;
                }
            }
        }
        return Save(Text(false), error);
    }

private:
    // An existing name: taken unless an import wrote it.
    void Take(const std::string& name) {
        const std::string key = UpperCase(name);
        if (!m_done.contains(key) && !m_planned.contains(key))
            m_taken.insert(key);
    }

    std::string Text(bool withPlan) const {
        std::string text;
        for (const std::string& name : m_done)
            text += name + "\n";
        if (withPlan)
            for (const std::string& name : m_planned)
                text.append(kPlanned).append(name).append("\n");
        return text;
    }

    bool Save(const std::string& text, std::string& error) {
        if (m_before && *m_before == text)
            return true;
        if (!WriteFileAtomically(m_file, text, &error))
            return false;
        m_before = text;
        return true;
    }

    std::string m_libDir;
    fs::path m_file;
    std::optional<std::string> m_before; // the record as it is on disk
    std::set<std::string> m_done;        // upper case, as the record holds them
    std::set<std::string> m_planned;     // planned, not written by a finished import
    std::set<std::string> m_taken;
    std::set<std::string> m_wrote;
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

// Shows source n of a pass; false, with the library reported lost, when it has no name.
bool StartLibrary(std::string_view kind, const std::vector<PlannedLibrary>& libraries,
                  std::size_t n, ProgressLine& progress, ImportReport& report) {
    const PlannedLibrary& library = libraries[n];
    progress.Show(n + 1, libraries.size(),
                  "import: " + std::string(kind) + " library " + std::to_string(n + 1) + " of " +
                      std::to_string(libraries.size()) + ": " + library.stem);
    if (!library.refusal.empty())
        report.LoseLibrary(library.source.string() + ": " + library.refusal);
    return library.refusal.empty();
}

// What the passes wrote, for the catalogue.
struct Written {
    std::vector<std::string> parts, symbols, packages, padstacks;
};

// Writes the objects as a library of the import; false, with the library reported lost,
// when it cannot.
bool WriteImported(const std::string& libDir, const std::string& library, LibraryKind kind,
                   const std::vector<LibraryObject>& objects, ImportRecord& record,
                   ImportReport& report) {
    std::string error;
    if (!WriteLibrary(NativePath(JoinPath(libDir, library)), kind, objects, error)) {
        report.LoseLibrary(error);
        return false;
    }
    record.Wrote(library);
    return true;
}

void ReportRename(const PlannedLibrary& library, ImportReport& report) {
    if (library.renamed)
        report.Rename(library.stem + ": written as " + Cp1252ToUtf8(library.stored) +
                      ", since the suite holds a library of that name that no import wrote");
}

void ImportSymbols(const std::vector<PlannedLibrary>& libraries, const std::string& libDir,
                   const TextOptions& options, ImportRecord& record, ImportReport& report,
                   Written& written, ProgressLine& progress) {
    report.totals.sourceLibraries = libraries.size();
    NameRegister partNames("part");
    NameRegister symbolNames("symbol");
    SDocument document;
    kicad::SymbolLibrary source;
    ImportedLibrary imported;
    std::string error;
    for (std::size_t n = 0; n < libraries.size(); ++n) {
        if (!StartLibrary("symbol", libraries, n, progress, report))
            continue;
        const PlannedLibrary& library = libraries[n];
        if (!document.Load(library.source, error) ||
            !kicad::ReadSymbolLibrary(document, library.source.string(), source, error)) {
            report.LoseLibrary(error);
            continue;
        }
        report.totals.symbolsRead += source.symbols.size() + source.problems.size();
        ImportSymbolLibrary(source, library.stem, options, imported, report);
        if (!WriteImported(libDir, library.libraries[0], LibraryKind::Part, imported.parts, record,
                           report) ||
            !WriteImported(libDir, library.libraries[1], LibraryKind::Symbol, imported.symbols,
                           record, report))
            continue;
        ReportRename(library, report);
        written.parts.push_back(library.libraries[0]);
        written.symbols.push_back(library.libraries[1]);
        report.totals.partLibraries += 1;
        report.totals.symbolLibraries += 1;
        report.totals.parts += imported.parts.size();
        report.totals.symbols += imported.symbols.size();
        partNames.Add(imported.parts, library.stem);
        symbolNames.Add(imported.symbols, library.stem);
    }
    partNames.Report(report);
    symbolNames.Report(report);
}

// The footprint files of a folder, or why it cannot be read.
void ListFootprints(PlannedLibrary& library) {
    std::error_code ec;
    fs::directory_iterator it(library.source, ec);
    if (ec) {
        library.refusal = "cannot read the folder " + library.source.string() + ": " + ec.message();
        return;
    }
    for (; !ec && it != fs::directory_iterator(); it.increment(ec))
        if (it->path().extension() == kFootprintExtension)
            library.footprints.push_back(it->path());
    std::sort(library.footprints.begin(), library.footprints.end());
}

// The footprints of one folder; one that cannot be read is left out and listed.
void ReadFootprints(const PlannedLibrary& library, SDocument& document,
                    std::vector<kicad::Footprint>& footprints, ImportReport& report) {
    footprints.clear();
    std::string error;
    report.totals.footprintsRead += library.footprints.size();
    for (const fs::path& file : library.footprints) {
        footprints.emplace_back();
        if (!document.Load(file, error) ||
            !kicad::ReadFootprint(document, file.string(), footprints.back(), error)) {
            footprints.pop_back();
            report.LeaveOut(library.stem + ": package \"" + file.stem().string() + "\": " + error);
        }
    }
}

void ImportFootprints(const std::vector<PlannedLibrary>& libraries,
                      const PlannedLibrary& padstackLibrary, const std::string& libDir,
                      const TextOptions& options, ImportRecord& record, ImportReport& report,
                      Written& written, ProgressLine& progress) {
    report.totals.footprintLibraries = libraries.size();
    NameRegister packageNames("package");
    SDocument document;
    std::vector<kicad::Footprint> footprints;
    std::vector<LibraryObject> packages;
    Padstacks padstacks;
    for (std::size_t n = 0; n < libraries.size(); ++n) {
        if (!StartLibrary("footprint", libraries, n, progress, report))
            continue;
        const PlannedLibrary& library = libraries[n];
        if (library.footprints.empty()) {
            report.SkipLibrary(library.source.string() + ": holds no footprint files (" +
                               std::string(kFootprintExtension) + ")");
            continue;
        }
        ReadFootprints(library, document, footprints, report);
        ImportFootprintLibrary(footprints, library.stem, options, packages, padstacks, report);
        if (!WriteImported(libDir, library.libraries[0], LibraryKind::Package, packages, record,
                           report))
            continue;
        ReportRename(library, report);
        written.packages.push_back(library.libraries[0]);
        report.totals.packageLibraries += 1;
        report.totals.packages += packages.size();
        packageNames.Add(packages, library.stem);
    }
    packageNames.Report(report);
    if (padstacks.empty() || !padstackLibrary.refusal.empty())
        return;
    std::vector<LibraryObject> objects;
    objects.reserve(padstacks.size());
    for (auto& [name, object] : padstacks)
        objects.push_back(std::move(object));
    if (!WriteImported(libDir, padstackLibrary.libraries[0], LibraryKind::Padstack, objects, record,
                       report))
        return;
    ReportRename(padstackLibrary, report);
    written.padstacks.push_back(padstackLibrary.libraries[0]);
    report.totals.padstacks = objects.size();
}

// The source libraries of a pass, or an empty list with the reason on standard error.
std::vector<PlannedLibrary> Sources(const std::string& folder, std::string_view extension,
                                    bool folders, CommandContext& context) {
    std::vector<fs::path> paths;
    std::string error;
    if (!SourceFiles(folder, extension, paths, error, folders)) {
        context.err << "k2klib import: " << error << '\n';
        context.exitCode = 1;
    }
    std::vector<PlannedLibrary> libraries(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        libraries[i].source = paths[i];
        libraries[i].stem = paths[i].stem().string();
    }
    return libraries;
}

void RunImport(const ImportArguments& arguments, CommandContext& context) {
    const auto opened = OpenSuiteFor("import", arguments.suite, context);
    if (!opened)
        return;
    SuiteServices& services = opened->browser.Services();
    const std::string libDir = opened->browser.Dirs().libDir;
    std::error_code ec;
    fs::create_directories(NativePath(libDir), ec);

    // One import into a library folder at a time, from reading the record and the
    // catalogue to writing them: another one waits, or gives up and changes nothing.
    const fs::path recordFile = NativePath(JoinPath(libDir, std::string(ImportRecord::kFileName)));
    FileLock lock;
    if (int lockError = 0; !lock.Take(recordFile, &lockError)) {
        context.err << "k2klib import: "
                    << (lockError == kErrFileLocked
                            ? "another import into this library folder is running (it holds the "
                              "lock on " +
                                  recordFile.string() + "); nothing was imported"
                            : "cannot lock " + recordFile.string() + ": " +
                                  std::strerror(lockError))
                    << '\n';
        context.exitCode = 1;
        return;
    }

    std::vector<PlannedLibrary> symbolLibraries;
    if (!arguments.symbols.empty())
        symbolLibraries = Sources(arguments.symbols, kSymbolExtension, false, context);
    std::vector<PlannedLibrary> footprintLibraries;
    if (!arguments.footprints.empty())
        footprintLibraries =
            Sources(arguments.footprints, kFootprintFolderExtension, true, context);
    PlannedLibrary padstackLibrary;
    padstackLibrary.source = padstackLibrary.stem = std::string(kPadstackLibrary);

    LibraryCatalogue catalogue;
    catalogue.Load(services);
    ImportRecord record(libDir, catalogue);
    if (record.Interrupted())
        context.err << "k2klib import: an earlier import into this library folder did not "
                       "finish; this one writes its libraries again\n";
    for (PlannedLibrary& library : symbolLibraries)
        record.Plan(library, {LibraryKind::Part, LibraryKind::Symbol}, services);
    for (PlannedLibrary& library : footprintLibraries) {
        ListFootprints(library);
        if (library.refusal.empty() && !library.footprints.empty())
            record.Plan(library, {LibraryKind::Package}, services);
    }
    if (!footprintLibraries.empty())
        record.Plan(padstackLibrary, {LibraryKind::Padstack}, services);
    std::string error;
    if (!record.SavePlan(error)) {
        context.err << "k2klib import: the record of imported libraries could not be written ("
                    << error << "); nothing was imported\n";
        context.exitCode = 1;
        return;
    }

    ImportReport report;
    Written written;
    ProgressLine progress(context.rawErr, &context.rawErr == &std::cerr && isatty(STDERR_FILENO));
    const TextOptions options{.replaceCharacters = arguments.replace};
    ImportSymbols(symbolLibraries, libDir, options, record, report, written, progress);
    progress.Finish();
    if (!footprintLibraries.empty())
        ImportFootprints(footprintLibraries, padstackLibrary, libDir, options, record, report,
                         written, progress);
    progress.Finish();

    // The catalogue as it is now: a browser may have changed it meanwhile.
    catalogue.Load(services);
    std::size_t added = 0;
    Register(LibraryKind::Part, written.parts, catalogue, added);
    Register(LibraryKind::Symbol, written.symbols, catalogue, added);
    Register(LibraryKind::Package, written.packages, catalogue, added);
    Register(LibraryKind::Padstack, written.padstacks, catalogue, added);
    if (added > 0 && !catalogue.Save(services)) {
        report.LoseLibrary("the catalogue could not be written; the libraries are in " +
                           Cp1252ToUtf8(DisplayPath(libDir)) + " but no search reads them");
    } else {
        report.totals.registered = added;
    }
    if (!record.Finish(catalogue, error))
        report.LoseLibrary("the record of imported libraries could not be written (" + error +
                           "); the next import finishes this one");
    if (context.exitCode != 0 && written.parts.empty() && written.packages.empty())
        return;
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
