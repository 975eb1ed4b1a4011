#pragma once
// Nothing is lost: a file that is rewritten is written to a new file beside the old one,
// flushed to the disk, and renamed over the old one. A crash at any moment leaves the old
// file or the new one, never a mix. The new file takes the permission bits of the file it
// replaces, so a rewrite never makes a read-only library writable or a private profile
// readable by others; a file that did not exist gets the process's default mode.

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace k2k {

class AtomicFileWriter final {
public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter(); // an uncommitted writer removes its new file
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates the new file beside target. False (and error set) when it cannot.
    bool Open(const std::filesystem::path& target);
    bool Write(std::string_view bytes);
    // Flushes, syncs and renames over the target; also syncs the folder.
    bool Commit();
    void Abort() noexcept;

    bool IsOpen() const noexcept { return m_file != nullptr; }
    const std::string& Error() const noexcept { return m_error; }
    int ErrorNumber() const noexcept { return m_errno; } // errno of the failure, 0 if none
    const std::filesystem::path& TemporaryPath() const noexcept { return m_temporary; }

    // Test hook: after this many bytes the next Write fails as a full disk would.
    void FailAfterBytes(std::size_t bytes) noexcept { m_failAfter = bytes; }

private:
    bool Fail(const std::string& what, int errorNumber);

    std::FILE* m_file = nullptr;
    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    std::string m_error;
    int m_errno = 0;
    std::size_t m_written = 0;
    std::size_t m_failAfter = static_cast<std::size_t>(-1);
};

// The new file a rewrite of target writes beside it ("TARGET.new~"); a crash can leave it.
std::filesystem::path NewFilePath(const std::filesystem::path& target);

// Writes the whole content atomically. False, with error set, on any failure; the
// old file is then untouched.
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view content,
                         std::string* error = nullptr, int* errorNumber = nullptr);

// Crash tests: every atomic rewrite of this process counts its steps on the file system
// (creating the new file, each write, the flush, the sync, the close, the rename, the
// folder sync, removing a dropped new file). With a kill step N set, the process ends
// itself with SIGKILL just before step N (from 1), as a crash there would; 0 (the
// default) only counts. A test sets it in a child process and checks what is on disk.
void SetKillAtFileStep(long step) noexcept;
long FileStepCount() noexcept;

// Removes a file as one counted step (see SetKillAtFileStep) and syncs its folder. True
// when it is gone, also when it was not there; otherwise false with error set.
bool RemoveFileStep(const std::filesystem::path& file, std::string* error = nullptr);

// Syncs the folder that holds file, so that a rename in it is on the disk.
void SyncFolderOf(const std::filesystem::path& file);

// Takes the next line off the front of text: a line ends at CR LF, at LF or at a lone CR,
// and its end is not part of it. Text files are read in lines so (the file operations,
// the INI files), so that a lone CR means the same to every reader.
std::string_view TakeLine(std::string_view& text) noexcept;

// Reads a whole file; nullopt-like false when it cannot be opened or read.
bool ReadWholeFile(const std::filesystem::path& path, std::string& content,
                   int* errorNumber = nullptr);

} // namespace k2k
