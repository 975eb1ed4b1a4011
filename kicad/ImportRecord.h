#pragma once
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

#include "formats/LibraryFile.h"
#include "system/Result.h"

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

class LibraryCatalogue;
class SuiteServices;

// A source library and the name its libraries are written under.
struct PlannedLibrary {
    std::filesystem::path source;
    std::string stem;                              // the source's name, as the file system gives it
    std::string stored;                            // the name written, in the suite's encoding
    std::string refusal;                           // why there is none: the library is not imported
    bool renamed = false;                          // stored is not the source's own name
    std::vector<std::filesystem::path> footprints; // a footprint folder's files
    std::vector<std::string> libraries;            // the file names written, one per kind
};

class ImportRecord final {
public:
    static constexpr std::string_view kFileName = "kicad-import.txt";
    static constexpr std::string_view kPlanned = "planned: ";

    // Reads the record of the library folder, and takes the names the folder and the
    // catalogue hold.
    ImportRecord(const std::string& libDir, const LibraryCatalogue& catalogue);

    // True when an import planned names and did not finish.
    bool Interrupted() const noexcept { return !m_planned.empty(); }

    // Decides the name a source library is written under, one file of each kind, or why it
    // cannot be imported.
    void Plan(PlannedLibrary& library, std::initializer_list<LibraryKind> kinds,
              const SuiteServices& services);

    // Records the plan before anything is written.
    Status SavePlan() { return Save(Text(true)); }

    void Wrote(const std::string& library);

    // Records what was written. A planned name that this import did not write was an earlier,
    // killed import's: its file stays when a catalogue lists it (that import got as far as
    // registering it), and is removed otherwise, with a new file a killed rewrite left.
    Status Finish(const LibraryCatalogue& catalogue);

private:
    void Take(const std::string& name);
    std::string Text(bool withPlan) const;
    Status Save(const std::string& text);

    std::string m_libDir;
    std::filesystem::path m_file;
    std::optional<std::string> m_before; // the record as it is on disk
    std::set<std::string> m_done;        // upper case, as the record holds them
    std::set<std::string> m_planned;     // planned, not written by a finished import
    std::set<std::string> m_taken;
    std::set<std::string> m_wrote;
};

} // namespace k2k
