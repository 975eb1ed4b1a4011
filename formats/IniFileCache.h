#pragma once
// The INI files of this process, each parsed once and kept while it stays the same file:
// every read looks at the file's times once (one stat) and parses it again only when its
// identity (device and inode), its size, or its modification or change time (to the
// nanosecond) is not what it was. A rewrite by IniEdit forgets the file at once.
//
// A file changed less than two seconds before it was read is read again the next time: a
// change made right after the read, within the same tick of the file system's clock
// (coarse on some), would leave its times as they were. Only regular files are kept, and
// only a few of them, the ones read last.
//
// Readers on several threads may share the cache; the documents it hands out never change.

#include "formats/IniFile.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>

namespace k2k {

class IniFileCache final {
public:
    // The process's cache, which the profile functions and IniEdit use.
    static IniFileCache& Shared();

    // The file as it stands. A file that cannot be read reads as an empty document;
    // errorNumber: 0, or the errno of the failure (ENOENT for a missing file, EISDIR for a
    // folder), or kErrNotRegularFile or kErrFileTooLarge (kIniFileLimit) as ReadWholeFile
    // refuses a file.
    IniSnapshot Read(const std::filesystem::path& file, int* errorNumber = nullptr);
    // The next Read of the file reads it again.
    void Forget(const std::filesystem::path& file);

    // How many times a file was opened and parsed so far.
    std::uint64_t FilesRead() const noexcept { return m_filesRead.load(); }

private:
    // What tells one state of a file from another.
    struct Stamp {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = 0;
        std::int64_t modified = 0; // nanoseconds since the epoch
        std::int64_t changed = 0;
        bool operator==(const Stamp&) const = default;
    };
    struct Entry {
        Stamp stamp;
        IniSnapshot document;
        std::uint64_t lastUse = 0;
    };

    void Keep(const std::string& key, const Stamp& stamp, const IniSnapshot& document);

    std::mutex m_mutex;
    std::map<std::string, Entry, std::less<>> m_entries;
    std::uint64_t m_uses = 0;
    std::atomic<std::uint64_t> m_filesRead{0};
};

} // namespace k2k
