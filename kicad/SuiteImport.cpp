#include "kicad/SuiteImport.h"

#include "common/ObjectKinds.h"
#include "kicad/FootprintImport.h"
#include "kicad/ImportRecord.h"
#include "kicad/KicadFootprints.h"
#include "kicad/KicadSymbols.h"
#include "kicad/SExpression.h"
#include "kicad/SymbolImport.h"
#include "platform/SuiteServices.h"
#include "search/InfoText.h"
#include "search/LibraryCatalogue.h"
#include "system/FileLock.h"
#include "system/NativePath.h"
#include "system/Text.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace k2k {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSymbolExtension = ".kicad_sym";
constexpr std::string_view kFootprintFolderExtension = ".pretty";
constexpr std::string_view kFootprintExtension = ".kicad_mod";
constexpr std::string_view kPadstackLibrary = "KiCad_Padstacks";

// The source libraries of a folder, by name: files, or with folders set, folders.
Result<std::vector<fs::path>> SourceFiles(const fs::path& folder, std::string_view extension,
                                          bool folders) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return Problem{"cannot read the folder " + folder.string() + ": " + ec.message(), 0,
                       ec.value()};
    std::vector<fs::path> files;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        const fs::path& path = it->path();
        if (path.extension() == extension &&
            (folders ? it->is_directory(ec) : it->is_regular_file(ec)))
            files.push_back(path);
    }
    std::sort(files.begin(), files.end());
    if (files.empty())
        return Problem{"the folder " + folder.string() + " holds no " + std::string(extension) +
                       (folders ? " folders" : " files")};
    return files;
}

// Reads a source file with the reader of its format (kicad::ReadSymbolLibrary,
// kicad::ReadFootprint) into the value it makes, or the problem that stopped the read.
template <typename Reader>
auto ReadSourceFile(SDocument& document, const fs::path& file, Reader read)
    -> decltype(read(document, file.string())) {
    if (auto loaded = document.Load(file); !loaded)
        return std::move(loaded).Error();
    return read(document, file.string());
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

// What the passes wrote, for the catalogue.
struct Written {
    std::vector<std::string> parts, symbols, packages, padstacks;
};

void ReportRename(const PlannedLibrary& library, ImportReport& report) {
    if (library.renamed)
        report.Rename(library.stem + ": written as " + Cp1252ToUtf8(library.stored) +
                      ", since the suite holds a library of that name that no import wrote");
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
    report.totals.footprintsRead += library.footprints.size();
    for (const fs::path& file : library.footprints) {
        auto footprint = ReadSourceFile(document, file, kicad::ReadFootprint);
        if (footprint)
            footprints.push_back(std::move(*footprint));
        else
            report.LeaveOut(library.stem + ": package \"" + file.stem().string() +
                            "\": " + footprint.Message());
    }
}

// The passes of one import, each writing the libraries of one kind of source.
class SuiteImporter final {
public:
    SuiteImporter(const std::string& libDir, const TextOptions& options, ImportRecord& record,
                  ImportFeedback& feedback, ImportReport& report)
        : m_libDir(libDir), m_options(options), m_record(record), m_feedback(feedback),
          m_report(report) {}

    void ImportSymbols(const std::vector<PlannedLibrary>& libraries) {
        m_report.totals.sourceLibraries = libraries.size();
        NameRegister partNames("part");
        NameRegister symbolNames("symbol");
        SDocument document;
        ImportedLibrary imported;
        for (std::size_t n = 0; n < libraries.size(); ++n) {
            if (!StartLibrary("symbol", libraries, n))
                continue;
            const PlannedLibrary& library = libraries[n];
            const auto source = ReadSourceFile(document, library.source, kicad::ReadSymbolLibrary);
            if (!source) {
                m_report.LoseLibrary(source.Message());
                continue;
            }
            m_report.totals.symbolsRead += source->symbols.size() + source->problems.size();
            ImportSymbolLibrary(*source, library.stem, m_options, imported, m_report);
            if (!WriteImported(library.libraries[0], LibraryKind::Part, imported.parts) ||
                !WriteImported(library.libraries[1], LibraryKind::Symbol, imported.symbols))
                continue;
            ReportRename(library, m_report);
            m_written.parts.push_back(library.libraries[0]);
            m_written.symbols.push_back(library.libraries[1]);
            m_report.totals.partLibraries += 1;
            m_report.totals.symbolLibraries += 1;
            m_report.totals.parts += imported.parts.size();
            m_report.totals.symbols += imported.symbols.size();
            partNames.Add(imported.parts, library.stem);
            symbolNames.Add(imported.symbols, library.stem);
            for (const LibraryObject& part : imported.parts)
                if (const std::string_view package = SplitPartInfo(part.info).package;
                    !package.empty())
                    m_partPackages.push_back(
                        {library.libraries[0], part.name, std::string(package)});
        }
        partNames.Report(m_report);
        symbolNames.Report(m_report);
        m_feedback.PassEnd();
    }

    void ImportFootprints(const std::vector<PlannedLibrary>& libraries,
                          const PlannedLibrary& padstackLibrary) {
        m_report.totals.footprintLibraries = libraries.size();
        NameRegister packageNames("package");
        SDocument document;
        std::vector<kicad::Footprint> footprints;
        std::vector<LibraryObject> packages;
        Padstacks padstacks;
        for (std::size_t n = 0; n < libraries.size(); ++n) {
            if (!StartLibrary("footprint", libraries, n))
                continue;
            const PlannedLibrary& library = libraries[n];
            if (library.footprints.empty()) {
                m_report.SkipLibrary(library.source.string() + ": holds no footprint files (" +
                                     std::string(kFootprintExtension) + ")");
                continue;
            }
            ReadFootprints(library, document, footprints, m_report);
            ImportFootprintLibrary(footprints, library.stem, m_options, packages, padstacks,
                                   m_report);
            if (!WriteImported(library.libraries[0], LibraryKind::Package, packages))
                continue;
            ReportRename(library, m_report);
            m_written.packages.push_back(library.libraries[0]);
            m_report.totals.packageLibraries += 1;
            m_report.totals.packages += packages.size();
            packageNames.Add(packages, library.stem);
            for (const LibraryObject& package : packages)
                m_heldPackages.insert(package.name);
        }
        packageNames.Report(m_report);
        WritePadstacks(padstacks, padstackLibrary);
        m_feedback.PassEnd();
        ReportDanglingPackages();
    }

    const Written& Libraries() const noexcept { return m_written; }

private:
    struct PartPackage {
        std::string library; // the part library written
        std::string part;
        std::string package;
    };

    // After both passes: the imported parts whose footprint no package library of the
    // folder holds, the ones written now (their names kept as they were written) and the
    // suite's own (read), as "k2klib check" finds them.
    void ReportDanglingPackages() {
        std::unordered_set<std::string> written;
        for (const std::string& library : m_written.packages)
            written.insert(UpperCase(library));
        for (const std::string& name : ListLibraryFiles(m_libDir, LibraryKind::Package)) {
            if (written.count(UpperCase(name)))
                continue;
            if (auto read = ReadLibrary(NativePath(JoinPath(m_libDir, name))))
                for (const LibraryObject& package : read->objects)
                    m_heldPackages.insert(package.name);
        }
        for (const PartPackage& part : m_partPackages)
            if (!m_heldPackages.count(part.package))
                m_report.Dangle(part.library + ": part \"" + part.part + "\": its footprint \"" +
                                part.package + "\" is in no package library");
    }

    // Shows source n of a pass; false, with the library reported lost, when it has no name.
    bool StartLibrary(std::string_view kind, const std::vector<PlannedLibrary>& libraries,
                      std::size_t n) {
        const PlannedLibrary& library = libraries[n];
        m_feedback.Progress(n + 1, libraries.size(),
                            "import: " + std::string(kind) + " library " + std::to_string(n + 1) +
                                " of " + std::to_string(libraries.size()) + ": " + library.stem);
        if (!library.refusal.empty())
            m_report.LoseLibrary(library.source.string() + ": " + library.refusal);
        return library.refusal.empty();
    }

    // Writes the objects as a library of the import; false, with the library reported lost,
    // when it cannot.
    bool WriteImported(const std::string& library, LibraryKind kind,
                       const std::vector<LibraryObject>& objects) {
        if (const Status written =
                WriteLibrary(NativePath(JoinPath(m_libDir, library)), kind, objects);
            !written) {
            m_report.LoseLibrary(written.Message());
            return false;
        }
        m_record.Wrote(library);
        return true;
    }

    // The padstacks of every footprint, in the one padstack library.
    void WritePadstacks(Padstacks& padstacks, const PlannedLibrary& library) {
        if (padstacks.empty() || !library.refusal.empty())
            return;
        std::vector<LibraryObject> objects;
        objects.reserve(padstacks.size());
        for (auto& [name, object] : padstacks)
            objects.push_back(std::move(object));
        if (!WriteImported(library.libraries[0], LibraryKind::Padstack, objects))
            return;
        ReportRename(library, m_report);
        m_written.padstacks.push_back(library.libraries[0]);
        m_report.totals.padstacks = objects.size();
    }

    const std::string& m_libDir;
    const TextOptions& m_options;
    ImportRecord& m_record;
    ImportFeedback& m_feedback;
    ImportReport& m_report;
    Written m_written;
    std::vector<PartPackage> m_partPackages;
    std::unordered_set<std::string> m_heldPackages; // package names the folder holds
};

// The source libraries of a pass; none, with the reason said, when the folder holds none.
std::vector<PlannedLibrary> Sources(const std::string& folder, std::string_view extension,
                                    bool folders, ImportFeedback& feedback, bool& lost) {
    const auto paths = SourceFiles(folder, extension, folders);
    if (!paths) {
        feedback.Say(paths.Message());
        lost = true;
        return {};
    }
    std::vector<PlannedLibrary> libraries(paths->size());
    for (std::size_t i = 0; i < paths->size(); ++i) {
        libraries[i].source = (*paths)[i];
        libraries[i].stem = (*paths)[i].stem().string();
    }
    return libraries;
}

// One import into a library folder at a time, from reading the record and the catalogue to
// writing them: another one waits, or gives up and changes nothing.
bool TakeLock(FileLock& lock, const fs::path& recordFile, ImportFeedback& feedback) {
    int lockError = 0;
    if (lock.Take(recordFile, &lockError))
        return true;
    feedback.Say(lockError == kErrFileLocked
                     ? "another import into this library folder is running (it holds the lock on " +
                           recordFile.string() + "); nothing was imported"
                     : "cannot lock " + recordFile.string() + ": " + std::strerror(lockError));
    return false;
}

// Adds what the passes wrote to the catalogue as it is now (a browser may have changed it
// meanwhile), and finishes the record.
void RegisterAndRecord(const Written& written, const std::string& libDir, SuiteServices& services,
                       LibraryCatalogue& catalogue, ImportRecord& record, ImportReport& report) {
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
    if (const auto finished = record.Finish(catalogue); !finished)
        report.LoseLibrary("the record of imported libraries could not be written (" +
                           finished.Message() + "); the next import finishes this one");
}

} // namespace

ImportEnd ImportIntoSuite(const ImportSources& sources, const std::string& libDir,
                          SuiteServices& services, const TextOptions& options,
                          ImportFeedback& feedback, ImportReport& report) {
    ImportEnd end;
    std::error_code ec;
    fs::create_directories(NativePath(libDir), ec);
    FileLock lock;
    if (!TakeLock(lock, NativePath(JoinPath(libDir, std::string(ImportRecord::kFileName))),
                  feedback)) {
        end.refused = true;
        return end;
    }

    std::vector<PlannedLibrary> symbolLibraries;
    if (!sources.symbols.empty())
        symbolLibraries =
            Sources(sources.symbols, kSymbolExtension, false, feedback, end.folderLost);
    std::vector<PlannedLibrary> footprintLibraries;
    if (!sources.footprints.empty())
        footprintLibraries =
            Sources(sources.footprints, kFootprintFolderExtension, true, feedback, end.folderLost);
    PlannedLibrary padstackLibrary;
    padstackLibrary.source = padstackLibrary.stem = std::string(kPadstackLibrary);

    // Every name is decided, and recorded as planned, before the first library is written.
    LibraryCatalogue catalogue;
    catalogue.Load(services);
    ImportRecord record(libDir, catalogue);
    if (record.Interrupted())
        feedback.Say("an earlier import into this library folder did not finish; this one "
                     "writes its libraries again");
    for (PlannedLibrary& library : symbolLibraries)
        record.Plan(library, {LibraryKind::Part, LibraryKind::Symbol}, services);
    for (PlannedLibrary& library : footprintLibraries) {
        ListFootprints(library);
        if (library.refusal.empty() && !library.footprints.empty())
            record.Plan(library, {LibraryKind::Package}, services);
    }
    if (!footprintLibraries.empty())
        record.Plan(padstackLibrary, {LibraryKind::Padstack}, services);
    if (const auto saved = record.SavePlan(); !saved) {
        feedback.Say("the record of imported libraries could not be written (" + saved.Message() +
                     "); nothing was imported");
        end.refused = true;
        return end;
    }

    SuiteImporter importer(libDir, options, record, feedback, report);
    importer.ImportSymbols(symbolLibraries);
    if (!footprintLibraries.empty())
        importer.ImportFootprints(footprintLibraries, padstackLibrary);
    RegisterAndRecord(importer.Libraries(), libDir, services, catalogue, record, report);
    end.wroteLibraries =
        !importer.Libraries().parts.empty() || !importer.Libraries().packages.empty();
    return end;
}

} // namespace k2k
