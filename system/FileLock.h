#pragma once
// Writers of one file take turns. Every writer that rewrites a file which other browsers
// or k2klib runs may rewrite at the same time (a library, the suite's initialisation file,
// the list of imported libraries, a profile) holds a FileLock on it from before it reads
// what it changes until its new file has been renamed over the old one, so two writers
// never lose each other's change. Readers take no lock: every rewrite renames a whole new
// file over the old one, so a reader sees the file as it was before or after, never a mix,
// and never waits for a writer. AtomicFileWriter takes the lock on the file it replaces
// itself, so a writer that does not read first needs none of its own.
//
// The lock is an advisory record lock of the open file description (fcntl, so processes
// exclude each other, and it holds over NFS with a lock manager) on one byte of the lock
// file ".k2k-lock" in the file's folder, picked by the file's name without regard to case.
// A file that is a symbolic link is locked as the file it leads to, since that is the file
// a rewrite replaces. The lock file stays empty and is never replaced: a lock on the file
// itself would stay behind on the old file when a rewrite renames the new one over it. Two
// names that pick the same byte merely take turns too.
//
// Within a process the lock belongs to the thread that took it: another thread waits for
// it as another process does, while the same thread may take it again (a read-modify-write
// holds it and hands the rewrite to AtomicFileWriter, which takes it too); it is let go
// when its last holder releases it.
//
// A writer waits for the lock at most LockWait(); then Take fails with kErrFileLocked, and
// the write-failure message says that another program is changing the file.

#include <cerrno>
#include <chrono>
#include <filesystem>

namespace k2k {

// The errno-style code of a lock that another writer held all the time a writer waited.
inline constexpr int kErrFileLocked = EWOULDBLOCK;

// The name of the lock file in a folder that writers rewrite files in.
inline constexpr const char* kLockFileName = ".k2k-lock";

class FileLock final {
public:
    FileLock() = default;
    ~FileLock(); // releases the lock
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Waits up to LockWait() for the lock on file (a native path). False, with
    // errorNumber, when another writer held it all that time (kErrFileLocked) or the lock
    // file cannot be opened for writing (the folder's errno: a folder this process may
    // not write in, a missing folder).
    bool Take(const std::filesystem::path& file, int* errorNumber = nullptr);
    void Release() noexcept;
    bool Held() const noexcept { return m_holding != nullptr; }

    struct Holding;

private:
    Holding* m_holding = nullptr;
};

// The file that a rewrite of file replaces: file itself, or, when it is a symbolic link,
// the file the link leads to (through further links). The link is kept, so that every
// name of the file goes on naming the new content.
std::filesystem::path FollowFileLinks(const std::filesystem::path& file);

// How long a writer waits for a lock: 10 s, or the milliseconds of the environment's
// K2K_LOCK_WAIT_MS; SetLockWait overrides both (tests).
std::chrono::milliseconds LockWait() noexcept;
void SetLockWait(std::chrono::milliseconds wait) noexcept;

// The longest a Take of this process has waited for another writer, whether it then got
// the lock or gave up (for the load test's figures).
std::chrono::milliseconds LongestLockWait() noexcept;

} // namespace k2k
