#pragma once
// Nothing is lost: a file that is rewritten is written to a new file beside the old one,
// flushed to the disk, and renamed over the old one. A crash at any moment leaves the old
// file or the new one, never a mix. The new file takes the permission bits of the file it
// replaces, so a rewrite never makes a private profile readable by others; a file that did
// not exist gets the process's default mode.
//
// Writers take turns: the writer holds the file's FileLock from Open until its new file has
// taken the old one's place (or was dropped); a caller that reads what it changes takes the
// lock before it reads and keeps it until the writer is done.
//
// A read-only file is not replaced: the suite marks a file it must not change so, and a
// replaced file would lose the mark's meaning. Read-only is judged by the mode bits (no
// write bit at all), as the suite's attribute is, since a process of the superuser may
// write any file; a file this process may not write counts as read-only too. A symbolic
// link stays a link: the new file is made beside the file the link leads to and renamed
// over that file.

#include "system/FileLock.h"

#include "system/ReadLimits.h"
#include "system/Result.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

struct stat;

namespace k2k {

class AtomicFileWriter final {
public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter(); // an uncommitted writer removes its new file
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Takes the lock (waiting up to LockWait()) and creates the new file beside target. The
    // problem's systemError is kErrFileLocked when another writer held the lock all that
    // time, EACCES for a read-only target. Every problem of a writer carries the errno.
    Status Open(const std::filesystem::path& target);
    Status Write(std::string_view bytes);
    // Flushes, syncs and renames over the target; also syncs the folder.
    Status Commit();
    void Abort() noexcept;

    bool IsOpen() const noexcept { return m_file != nullptr; }

    // Test hook: after this many bytes the next Write fails as a full disk would.
    void FailAfterBytes(std::size_t bytes) noexcept { m_failAfter = bytes; }

private:
    Status OpenLocked();

    FileLock m_lock;
    std::FILE* m_file = nullptr;
    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    std::size_t m_written = 0;
    std::size_t m_failAfter = static_cast<std::size_t>(-1);
};

// The new file a rewrite of target writes beside it ("TARGET.new~"); a crash can leave it.
std::filesystem::path NewFilePath(const std::filesystem::path& target);

// Writes the whole content atomically; on any failure the old file is untouched and the
// problem is the writer's.
Status WriteFileAtomically(const std::filesystem::path& target, std::string_view content);

// Crash tests: every atomic rewrite of this process counts its steps on the file system
// (creating the new file, each write, the flush, the sync, the close, the rename, the
// folder sync, removing a dropped new file). With a kill step N set, the process ends
// itself with SIGKILL just before step N (from 1), as a crash there would; 0 (the
// default) only counts. A test sets it in a child process and checks what is on disk.
void SetKillAtFileStep(long step) noexcept;
long FileStepCount() noexcept;

// Removes a file, as one step of the file system (above), under its lock, so that it does
// not go in the middle of another writer's rewrite, and syncs its folder. False, with
// errorNumber, when it cannot; a file that is not there counts as removed.
bool RemoveFile(const std::filesystem::path& file, int* errorNumber = nullptr);

// Syncs the folder that holds file, so that a rename in it is on the disk.
void SyncFolderOf(const std::filesystem::path& file);

// Takes the next line off the front of text: a line ends at CR LF, at LF or at a lone CR,
// and its end is not part of it. Text files are read in lines so (the file operations,
// the INI files), so that a lone CR means the same to every reader.
std::string_view TakeLine(std::string_view& text) noexcept;

// Reads a whole regular file of at most sizeLimit bytes (ReadLimits.h). False, with
// errorNumber, when it cannot: the open's errno; EISDIR for a folder; kErrNotRegularFile for
// a FIFO, a device or a socket, whose open never waits; kErrFileTooLarge for a file larger
// than the limit, found before anything is read, or while reading for a file that grows.
// content is then empty.
bool ReadWholeFile(const std::filesystem::path& path, std::string& content,
                   int* errorNumber = nullptr, std::uint64_t sizeLimit = kDefaultReadLimit);

// ReadWholeFile in two steps, for a reader that looks at the file it reads (its times):
// opens path so and checks the open file (status); a descriptor, or -1 with errorNumber.
int OpenWholeFile(const std::filesystem::path& path, std::uint64_t sizeLimit, struct stat& status,
                  int& errorNumber);
// Reads the rest of descriptor into content: 0, or the errno-style code of the failure.
int ReadAllOf(int descriptor, std::string& content, std::uint64_t sizeLimit);

// Why a whole file could not be read, for a message: "not a regular file (...)", "larger
// than 64 MB, the limit for such a file", or the system's description of the errno.
std::string ReadFailureReason(int errorNumber, std::uint64_t sizeLimit);

} // namespace k2k
