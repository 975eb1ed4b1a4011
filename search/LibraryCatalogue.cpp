#include "search/LibraryCatalogue.h"

#include "common/Messages.h"
#include "formats/IniFile.h"
#include "platform/FileOps.h"
#include "platform/Kernel.h"
#include "platform/LibraryName.h"
#include "platform/SuiteServices.h"
#include "system/FolderListing.h"
#include "system/NativePath.h"
#include "system/Text.h"

#include <algorithm>
#include <set>

namespace k2k {

namespace {

std::size_t IndexOf(LibraryKind kind) noexcept {
    return static_cast<std::size_t>(kind);
}

// Keys "1", "2", ... of the section, up to the first empty one.
template <class Ini>
std::vector<std::string> ReadList(const Ini& ini, std::string_view section) {
    std::vector<std::string> entries;
    for (int key = 1;; ++key) {
        std::optional<std::string> value = ini.Get(section, DecimalText(key));
        if (!value || value->empty())
            return entries;
        entries.push_back(std::move(*value));
    }
}

std::set<std::string> EntryKeys(const std::vector<std::string>& entries) {
    std::set<std::string> keys;
    for (const std::string& entry : entries)
        keys.insert(UpperCase(Trim(entry)));
    return keys;
}

} // namespace

std::vector<std::string> MergeLibraryLists(const std::vector<std::string>& loaded,
                                           const std::vector<std::string>& mine,
                                           const std::vector<std::string>& theirs) {
    const std::set<std::string> loadedKeys = EntryKeys(loaded);
    const std::set<std::string> theirKeys = EntryKeys(theirs);
    std::set<std::string> merged;
    std::vector<std::string> entries;
    for (const std::string& entry : mine) {
        const std::string key = UpperCase(Trim(entry));
        if (loadedKeys.contains(key) && !theirKeys.contains(key))
            continue; // another writer removed it
        merged.insert(key);
        entries.push_back(entry);
    }
    for (const std::string& entry : theirs) {
        const std::string key = UpperCase(Trim(entry));
        // Added by another writer; one this catalogue removed was in loaded.
        if (!loadedKeys.contains(key) && merged.insert(key).second)
            entries.push_back(entry);
    }
    return entries;
}

void LibraryCatalogue::Load(const SuiteServices& services) {
    // One reading of the file for the four lists.
    const IniSnapshot ini = services.ReadIniDocument();
    for (LibraryKind kind : kAllKinds) {
        m_entries[IndexOf(kind)] = ReadList(*ini, FactsOf(kind).catalogueSection);
        m_loaded[IndexOf(kind)] = m_entries[IndexOf(kind)];
        m_storedCounts[IndexOf(kind)] = static_cast<int>(m_entries[IndexOf(kind)].size());
    }
}

bool LibraryCatalogue::Save(SuiteServices& services) {
    // The deletes and writes of all four lists are made in memory and written in one
    // rewrite, so a crash leaves the old lists or the new ones, never a mix. The edit holds
    // the file's lock from its reading to its writing.
    IniEdit edit = services.EditIniFile();
    std::array<std::vector<std::string>, kObjectKinds> saved;
    for (LibraryKind kind : kAllKinds) {
        const std::size_t k = IndexOf(kind);
        const std::string_view section = FactsOf(kind).catalogueSection;
        const std::vector<std::string> theirs = ReadList(edit, section);
        saved[k] =
            m_folderChange ? m_entries[k] : MergeLibraryLists(m_loaded[k], m_entries[k], theirs);
        const int stale = std::max(m_storedCounts[k], static_cast<int>(theirs.size()));
        for (int key = 1; key <= stale; ++key)
            edit.Delete(section, DecimalText(key));
        for (std::size_t i = 0; i < saved[k].size(); ++i)
            edit.Set(section, DecimalText(static_cast<long long>(i + 1)), saved[k][i]);
    }
    if (m_folderChange)
        edit.Set(kFolderChangeSection, kFolderChangeKey, *m_folderChange);
    int errorNumber = 0;
    if (!edit.Commit(&errorNumber)) {
        services.Boxes().Show(
            FileOps::WriteFailureMessage(services, services.IniFile(), errorNumber));
        return false;
    }
    for (LibraryKind kind : kAllKinds) {
        const std::size_t k = IndexOf(kind);
        m_storedCounts[k] = static_cast<int>(saved[k].size());
        m_loaded[k] = saved[k];
        m_entries[k] = std::move(saved[k]);
    }
    m_folderChangeSaved = m_folderChange.has_value();
    return true;
}

void LibraryCatalogue::BeginFolderChange(std::string folder) {
    m_folderChange = std::move(folder);
    m_folderChangeSaved = false;
}

void LibraryCatalogue::EndFolderChange() noexcept {
    m_folderChange.reset();
    m_folderChangeSaved = false;
}

const std::vector<std::string>& LibraryCatalogue::Entries(LibraryKind kind) const noexcept {
    return m_entries[IndexOf(kind)];
}

void LibraryCatalogue::SetEntries(LibraryKind kind, std::vector<std::string> entries) {
    m_entries[IndexOf(kind)] = std::move(entries);
}

int LibraryCatalogue::Count(LibraryKind kind) const noexcept {
    return static_cast<int>(m_entries[IndexOf(kind)].size());
}

std::optional<std::string> LibraryCatalogue::LibraryPath(LibraryKind kind, int entry,
                                                         std::string_view libraryDir) const {
    return LibraryFilePath(libraryDir, Trim(m_entries[IndexOf(kind)].at(entry - 1)));
}

void ShowRefusedEntry(SuiteServices& services, std::string_view entry) {
    const std::string name(Trim(entry));
    services.Boxes().Show({LibraryNameRefusal(services, name, CheckLibraryName(name)) +
                               LocalText(services, "992107", ". The search leaves it out."),
                           MessageTitle(services), MsgIcon::Exclamation, MsgButtons::Ok, false});
}

std::vector<std::string> ListLibraryFiles(const std::string& libraryDir, LibraryKind kind) {
    const std::string_view extension = FactsOf(kind).libraryPattern.substr(1); // ".PART"
    std::vector<std::string> files = ListFiles(libraryDir);
    // A file whose name is no plain library name (a "\\" in it) is one the suite cannot ask for.
    std::erase_if(files, [extension](const std::string& name) {
        return !HasExtensionNoCase(name, extension) ||
               CheckLibraryName(name) != LibraryNameFault::None;
    });
    return files;
}

bool LibraryFilePresent(const std::string& path) {
    return LibraryFileReadable(NativePath(path));
}

std::optional<std::int32_t> ReadObjectCount(const std::string& path) {
    // The header as it stands: the version at offset 12 is read and ignored.
    const Result<LibraryHeader> header = ReadLibraryHeader(NativePath(path));
    if (!header)
        return std::nullopt;
    return header->count;
}

LibraryReadOutcome ReadLibraryQuietly(const KernelLibraries& kernel, LibraryKind kind,
                                      const std::string& path, LibraryDescriptions& descriptions,
                                      bool wholeTexts, const std::atomic<bool>* cancel) {
    const Result<LibrarySearchRead> read =
        kernel.ReadForSearch(path, kind == LibraryKind::Part, wholeTexts, descriptions, cancel);
    if (!read)
        return LibraryReadOutcome::Unreadable;
    switch (*read) {
    case LibrarySearchRead::NotAFile:
        return LibraryReadOutcome::Missing;
    case LibrarySearchRead::NoObjects:
        return LibraryReadOutcome::Empty;
    case LibrarySearchRead::Read:
        break;
    }
    return LibraryReadOutcome::Read;
}

void ShowReadProblem(SuiteServices& services, LibraryReadOutcome outcome, const std::string& path) {
    if (outcome == LibraryReadOutcome::Missing)
        ShowError(services, 200, path);
    else if (outcome == LibraryReadOutcome::Unreadable)
        ShowError(services, 80, path);
}

LibraryReadOutcome ReadLibraryDescriptions(Kernel& kernel, SuiteServices& services,
                                           LibraryKind kind, const std::string& path,
                                           LibraryDescriptions& descriptions) {
    const LibraryReadOutcome outcome =
        ReadLibraryQuietly(kernel, kind, path, descriptions, kernel.ExpectsInfoTexts());
    ShowReadProblem(services, outcome, path);
    return outcome;
}

} // namespace k2k
