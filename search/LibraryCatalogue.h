#pragma once
// The library catalogue: per object kind, the ordered list of library files that the
// searches walk (the kind's search sequence). The lists live in the suite initialisation
// file as keys "1", "2", ... of the sections "DEVLIBS", "SCHLIBS", "LAYLIBS" and
// "PADLIBS"; an entry is a file name relative to the library directory.
//
// Reading one library for a search: the file must be present (else message 200 and the
// next library), its header count read at offset 16 (0 skips it), then its descriptions
// come from the kernel in one call.

#include "common/ObjectKinds.h"
#include "platform/KernelLibraries.h"
#include "platform/LibraryFile.h"

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
    // Deletes each kind's keys "1" to the count last loaded or saved, then writes the
    // entries, all in one rewrite of the file. When the file cannot be written (or an entry
    // cannot be stored: one with a line break), shows the write-failure message once,
    // leaves the file as it was and answers false.
    bool Save(SuiteServices& services);

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
    std::array<int, kObjectKinds> m_storedCounts{};
};

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
