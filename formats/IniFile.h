#pragma once
// Keys of INI files, read and written as the platform's profile functions do: sections
// and keys are found without regard to case, values are trimmed of blanks, a write with
// no value removes the key, a write adds a missing section at the end of the file and a
// missing key at the end of its section, and every other line (comments, blank lines,
// unknown text) is kept as it stands. Every write rewrites the file atomically.
//
// Line ends: a line ends at CR LF, at LF or at a lone CR, as the file operations read
// lines (TakeLine), and is written back ending in CR LF. So no name or value read
// from a file holds a CR or an LF, and the writer refuses names and values that do: what
// is read can always be written back, and what is written reads back the same.
//
// A save of many keys (the library lists, the display options) is one IniEdit: the file
// is read once, every change is made in memory, and Commit rewrites it once, so a crash
// leaves the old keys or the new ones, never some of each. The single-key functions at
// the end are one-change edits. Files are read through the process's IniFileCache, so a
// file that has not changed is not parsed again.
//
// Other browsers and k2klib runs write the same files. An IniEdit takes the file's
// FileLock before it reads the file and keeps it until Commit has written it (or the edit
// ends), so every edit is a read-modify-write of the file as it stands in its turn, and
// two edits of different keys both take effect. An edit holds the lock while it lives:
// make it, change it and commit it in one go.

#include "system/FileLock.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace k2k {

// An INI file's lines in memory, for the reading and writing rules above. Reading and
// changing a key costs the same however long the file is: the first section of each name
// and, within it, the first line of each key name are indexed (case-blind). A later
// section of the same name is carried along unread; a later line of the same key shows
// once the lines before it are removed. Removed lines leave the text but not the memory
// of the edit, which lives as long as one save.
class IniDocument final {
public:
    static IniDocument Parse(std::string_view text);
    std::string ToText() const; // lines end in CR LF

    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // Sets or (value nullopt) removes a key; answers whether the document changed.
    bool Set(std::string_view section, std::string_view key, std::optional<std::string_view> value);
    std::vector<std::string> Keys(std::string_view section) const;
    std::vector<std::string> Sections() const;

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    // Names are found as EqualsNoCase finds them, without an upper-case copy per lookup.
    struct NoCaseHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const noexcept;
    };
    struct NoCaseEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const noexcept;
    };
    template <class T>
    using NoCaseMap = std::unordered_map<std::string, T, NoCaseHash, NoCaseEqual>;

    struct Line {
        std::string text;
        std::size_t prev = kNone; // the lines of the file, in order
        std::size_t next = kNone;
        std::size_t prevKey = kNone; // the key lines of an indexed section, in order
        std::size_t nextKey = kNone;
        std::size_t nextSame = kNone; // the next line of the same key name in the section
    };
    // The lines of one key name in a section: the first counts, the last is where a
    // duplicate read from the file is chained on.
    struct KeyLines {
        std::size_t first = kNone;
        std::size_t last = kNone;
    };
    struct Section {
        std::size_t header = kNone;
        std::size_t firstKey = kNone;
        std::size_t lastKey = kNone; // a new key goes below it, or below the header
        NoCaseMap<KeyLines> keys;
    };

    std::size_t AddLine(std::string text, std::size_t after);
    void AddSection(std::string_view name, std::size_t header);
    void AddKey(Section& section, std::string_view name, std::size_t line);
    void RemoveKey(Section& section, NoCaseMap<KeyLines>::iterator key);
    std::size_t SectionAt(std::string_view name) const; // kNone when there is none

    std::vector<Line> m_lines; // every line held; a removed one is unlinked and emptied
    std::size_t m_first = kNone;
    std::size_t m_last = kNone;
    std::vector<Section> m_sections; // the first section of each name, in file order
    NoCaseMap<std::size_t> m_sectionIndex;
};

// A file's document as it stood when it was read (IniFileCache), shared by its readers.
using IniSnapshot = std::shared_ptr<const IniDocument>;

// An edit of one INI file: locked and read when the edit is made (a missing file is an
// empty one), changed in memory with the rules above, written once by Commit.
class IniEdit final {
public:
    // Waits up to LockWait() for the file's lock; without it the edit can still be read,
    // but a Commit with changes fails with the lock's errno (kErrFileLocked).
    explicit IniEdit(std::filesystem::path file);

    // What the file holds with the changes made so far.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    std::vector<std::string> Keys(std::string_view section) const {
        return m_document.Keys(section);
    }
    // WritePrivateProfileString's rules: nullopt removes the key. A name or value that
    // cannot be stored refuses the whole edit: Commit then writes nothing.
    void Set(std::string_view section, std::string_view key, std::optional<std::string_view> value);
    void Delete(std::string_view section, std::string_view key) { Set(section, key, std::nullopt); }

    // Rewrites the file atomically when anything changed, and lets the lock go. False
    // (errorNumber: the errno) when a change was refused (EINVAL), the file could not be
    // locked, read (a folder, no access) or written; the file is then as it was. An edit
    // that changed nothing succeeds without touching the file.
    bool Commit(int* errorNumber = nullptr);

    const std::filesystem::path& File() const noexcept { return m_file; }

private:
    std::filesystem::path m_file;
    FileLock m_lock;
    IniDocument m_document;
    int m_lockErrno = 0;
    int m_readErrno = 0;
    bool m_refused = false;
    bool m_changed = false;
};

// The file as it stands (a file that cannot be read is an empty document), from the
// process's IniFileCache. A reader of many keys reads them from one snapshot.
IniSnapshot ReadIniFile(const std::filesystem::path& file);

// GetPrivateProfileString: the value, or the default when the file, the section or
// the key is missing.
std::string GetProfileString(const std::filesystem::path& file, std::string_view section,
                             std::string_view key, std::string_view defaultValue);

// WritePrivateProfileString: nullopt removes the key. False when the file cannot be
// written (errorNumber: the errno of the failure); removing a key that is not there
// succeeds without touching the file.
bool WriteProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::optional<std::string_view> value,
                        int* errorNumber = nullptr);

} // namespace k2k
