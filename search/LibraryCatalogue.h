#pragma once
// The library catalogue: per object kind, the ordered list of library files that the
// searches walk (the kind's search sequence). The lists live in the suite initialisation
// file as keys "1", "2", ... of the sections "DEVLIBS", "SCHLIBS", "LAYLIBS" and
// "PADLIBS"; an entry is a file name relative to the library directory.
//
// Reading one library for a search: the file must be present (else message 200 and the
// next library), its header count read at offset 16 (0 skips it), then its descriptions
// come from the kernel in one call.
//
// Other browsers and k2klib runs (an import) change the same lists. A save therefore reads
// the file again under its lock and merges, kind by kind, entries compared trimmed and
// without regard to case: the lists become this catalogue's lists, less the entries that
// another writer removed since they were loaded (or last saved), followed by the entries
// that another writer added since then, in that writer's order. So what this catalogue
// added or removed holds, and so does what the others did.
//
// The change of library folder saves whole lists of another folder: that save replaces
// the lists instead and records the new folder beside them (kFolderChangeKey), in the
// same rewrite, until the folder itself has been saved as the "LibDir" setting; a start
// that finds the record finishes the change (browser/ChangeLibraryPath).

#include "common/ObjectKinds.h"
#include "formats/LibraryFile.h"
#include "platform/KernelLibraries.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

class Kernel;
class SuiteServices;

class LibraryCatalogue final {
public:
    // Empties the lists, then reads each kind's keys "1", "2", ... up to the first empty
    // one from the current initialisation file of the services.
    void Load(const SuiteServices& services);
    // Deletes each kind's keys "1" to the count the file holds now (or the count last
    // loaded or saved, when that is more), then writes the merged entries (above), all in
    // one rewrite of the file; the lists here become the merged ones. When the file cannot
    // be written (or an entry cannot be stored: one with a line break), shows the
    // write-failure message once, leaves the file as it was and answers false.
    bool Save(SuiteServices& services);

    // The change of library folder: until EndFolderChange, a Save writes the lists as
    // they are here, with the folder (suite form) recorded beside them.
    void BeginFolderChange(std::string folder);
    // Whether a Save since BeginFolderChange has written the lists and the record.
    bool FolderChangeSaved() const noexcept { return m_folderChangeSaved; }
    void EndFolderChange() noexcept;

    const std::vector<std::string>& Entries(LibraryKind kind) const noexcept;
    void SetEntries(LibraryKind kind, std::vector<std::string> entries);
    int Count(LibraryKind kind) const noexcept;

    // The full path of entry number (from 1): library directory & "\" & trimmed entry;
    // nullopt when the trimmed entry is no plain file name of the folder (LibraryName.h).
    // Such an entry stays in the list and is saved again, so the file keeps what the
    // person wrote, but nothing is read or written through it.
    std::optional<std::string> LibraryPath(LibraryKind kind, int entry,
                                           std::string_view libraryDir) const;

private:
    std::array<std::vector<std::string>, kObjectKinds> m_entries;
    // The lists as they were loaded or last saved: what the merge compares the file with.
    std::array<std::vector<std::string>, kObjectKinds> m_loaded;
    std::array<int, kObjectKinds> m_storedCounts{};
    std::optional<std::string> m_folderChange;
    bool m_folderChangeSaved = false;
};

// Where a change of library folder records its folder in the initialisation file while
// it is under way.
inline constexpr std::string_view kFolderChangeSection = "K2KBRWSR";
inline constexpr std::string_view kFolderChangeKey = "NewLibDir";

// The three-way merge of a save (above): mine less what theirs removed from loaded, then
// what theirs added to loaded that mine lacks.
std::vector<std::string> MergeLibraryLists(const std::vector<std::string>& loaded,
                                           const std::vector<std::string>& mine,
                                           const std::vector<std::string>& theirs);

// The kind's library files in the library directory: the files whose names fit its pattern
// ("*.PART", any letter case), in the folder listing's order. Empty when the folder cannot
// be read.
std::vector<std::string> ListLibraryFiles(const std::string& libraryDir, LibraryKind kind);

// The message for an entry that LibraryPath refuses, which a search leaves out: the
// refusal of LibraryName.h, then "The search leaves it out.", with the exclamation icon.
void ShowRefusedEntry(SuiteServices& services, std::string_view entry);

// True when the file can be opened for reading and closed again; a FIFO, a device or a
// folder counts as missing.
bool LibraryFilePresent(const std::string& path);
// The object count at offset 16 of the header; nullopt when the file cannot be read or
// is shorter than the header.
std::optional<std::int32_t> ReadObjectCount(const std::string& path);

enum class LibraryReadOutcome { Read, Missing, Empty, Unreadable };

// Reads one library for a search: message 200 for a missing file (Missing), nothing for
// a count of 0 (Empty), otherwise the descriptions through the kernel (Read); a file the
// kernel cannot read as a library of the kind (damaged, of another kind or format) gets
// message 80 (Unreadable).
LibraryReadOutcome ReadLibraryDescriptions(Kernel& kernel, SuiteServices& services,
                                           LibraryKind kind, const std::string& path,
                                           LibraryDescriptions& descriptions);
// The same in two halves: the read, safe on any thread with descriptions of its own (the
// kernel reads as wholeTexts says; a read given up because cancel was set is
// Unreadable), and the message its outcome calls for, on the thread that shows messages.
LibraryReadOutcome ReadLibraryQuietly(const KernelLibraries& kernel, LibraryKind kind,
                                      const std::string& path, LibraryDescriptions& descriptions,
                                      bool wholeTexts, const std::atomic<bool>* cancel = nullptr);
void ShowReadProblem(SuiteServices& services, LibraryReadOutcome outcome, const std::string& path);

} // namespace k2k
