#include "system/AtomicFile.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace k2k {

namespace {

long g_fileSteps = 0;
long g_killAtStep = 0;

// One step of a rewrite on the file system; see SetKillAtFileStep.
void FileStep() noexcept {
    if (++g_fileSteps == g_killAtStep)
        ::raise(SIGKILL);
}

constexpr mode_t kPermissionBits = S_IRWXU | S_IRWXG | S_IRWXO;

} // namespace

void SetKillAtFileStep(long step) noexcept {
    g_killAtStep = step;
    g_fileSteps = 0;
}

long FileStepCount() noexcept {
    return g_fileSteps;
}

bool RemoveFile(const std::filesystem::path& file, int* errorNumber) {
    FileLock lock;
    int failure = 0;
    if (lock.Take(file, &failure)) {
        FileStep();
        if (::unlink(file.c_str()) == 0 || errno == ENOENT) {
            SyncFolderOf(file);
            return true;
        }
        failure = errno;
    }
    if (errorNumber)
        *errorNumber = failure;
    return false;
}

void SyncFolderOf(const std::filesystem::path& file) {
    std::filesystem::path folder = file.parent_path();
    if (folder.empty())
        folder = ".";
    FileStep();
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::filesystem::path NewFilePath(const std::filesystem::path& target) {
    std::filesystem::path path = target;
    path += ".new~";
    return path;
}

AtomicFileWriter::~AtomicFileWriter() {
    Abort();
}

namespace {

// What refused, with the system's words for why.
Problem Refused(const std::string& what, int errorNumber) {
    return Problem{what + ": " + std::strerror(errorNumber), 0, errorNumber};
}

} // namespace

Status AtomicFileWriter::Open(const std::filesystem::path& target) {
    Abort();
    m_target = FollowFileLinks(target);
    m_temporary = NewFilePath(m_target);
    m_written = 0;
    Status opened = OpenLocked();
    if (!opened)
        m_lock.Release();
    return opened;
}

Status AtomicFileWriter::OpenLocked() {
    int lockErrno = 0;
    if (!m_lock.Take(m_target, &lockErrno)) {
        if (lockErrno != kErrFileLocked)
            return Refused("cannot lock " + m_target.string(), lockErrno);
        return Problem{"cannot write " + m_target.string() +
                           ": another program is changing it (waited " +
                           std::to_string(LockWait().count()) + " ms)",
                       0, kErrFileLocked};
    }
    struct stat old {};
    const bool replaces = ::stat(m_target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    if (replaces) {
        int refused = 0;
        if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            refused = EACCES;
        else if (::access(m_target.c_str(), W_OK) != 0)
            refused = errno;
        if (refused != 0)
            return Problem{"cannot write " + m_target.string() + ": the file is read-only", 0,
                           refused};
    }
    // A new file left by a crash may carry a read-only mode taken from its target; it is
    // ours to replace. (A folder in its place is not removed: the open then fails.)
    FileStep();
    ::unlink(m_temporary.c_str());
    FileStep();
    const int fd = ::open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return Refused("cannot create " + m_temporary.string(), errno);
    // The mode of the file it replaces, set before any content is written, so the content
    // is never readable by more people than the old file was.
    if (replaces) {
        FileStep();
        if (::fchmod(fd, old.st_mode & kPermissionBits) != 0) {
            const int chmodErrno = errno;
            ::close(fd);
            ::unlink(m_temporary.c_str());
            return Refused("cannot set the mode of " + m_temporary.string(), chmodErrno);
        }
    }
    m_file = ::fdopen(fd, "wb");
    if (!m_file) {
        const int openErrno = errno;
        ::close(fd);
        ::unlink(m_temporary.c_str());
        return Refused("cannot create " + m_temporary.string(), openErrno);
    }
    return {};
}

Status AtomicFileWriter::Write(std::string_view bytes) {
    if (!m_file)
        return Refused("file not open", EBADF);
    if (m_written + bytes.size() > m_failAfter)
        return Refused("cannot write " + m_temporary.string(), ENOSPC);
    FileStep();
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size())
        return Refused("cannot write " + m_temporary.string(), errno ? errno : EIO);
    m_written += bytes.size();
    return {};
}

Status AtomicFileWriter::Commit() {
    if (!m_file)
        return Refused("file not open", EBADF);
    std::FILE* file = m_file;
    m_file = nullptr;
    // The next writer may go once the new file is in place or dropped.
    struct Unlock {
        FileLock& lock;
        ~Unlock() { lock.Release(); }
    } unlock{m_lock};
    FileStep();
    bool flushed = std::fflush(file) == 0;
    if (flushed) {
        FileStep();
        flushed = ::fsync(::fileno(file)) == 0;
    }
    int flushErrno = flushed ? 0 : errno;
    FileStep();
    const bool closed = std::fclose(file) == 0;
    if (!closed && flushErrno == 0)
        flushErrno = errno;
    std::error_code ignored;
    if (!flushed || !closed) {
        FileStep();
        std::filesystem::remove(m_temporary, ignored);
        return Refused("cannot write " + m_temporary.string(), flushErrno ? flushErrno : EIO);
    }
    FileStep();
    if (std::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        const int renameErrno = errno;
        FileStep();
        std::filesystem::remove(m_temporary, ignored);
        return Refused("cannot replace " + m_target.string(), renameErrno);
    }
    SyncFolderOf(m_target);
    return {};
}

void AtomicFileWriter::Abort() noexcept {
    if (!m_file) {
        m_lock.Release();
        return;
    }
    std::fclose(m_file);
    m_file = nullptr;
    FileStep();
    std::error_code ignored;
    std::filesystem::remove(m_temporary, ignored);
    m_lock.Release();
}

Status WriteFileAtomically(const std::filesystem::path& target, std::string_view content) {
    AtomicFileWriter writer;
    Status done = writer.Open(target);
    if (done)
        done = writer.Write(content);
    if (done)
        done = writer.Commit();
    return done;
}

std::string_view TakeLine(std::string_view& text) noexcept {
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    if (end == std::string_view::npos) {
        text = {};
    } else {
        const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crLf ? 2 : 1));
    }
    return line;
}

int OpenWholeFile(const std::filesystem::path& path, std::uint64_t sizeLimit, struct stat& status,
                  int& errorNumber) {
    // Without O_NONBLOCK the open of a FIFO would wait for a writer. The checks look at
    // the file that was opened, not at whatever the name points to by then.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) {
        errorNumber = errno;
        return -1;
    }
    if (::fstat(descriptor, &status) != 0)
        errorNumber = errno;
    else if (S_ISDIR(status.st_mode))
        errorNumber = EISDIR;
    else if (!S_ISREG(status.st_mode))
        errorNumber = kErrNotRegularFile;
    else if (static_cast<std::uint64_t>(status.st_size) > sizeLimit)
        errorNumber = kErrFileTooLarge;
    else
        return descriptor;
    ::close(descriptor);
    return -1;
}

int ReadAllOf(int descriptor, std::string& content, std::uint64_t sizeLimit) {
    content.clear();
    struct stat status {};
    if (::fstat(descriptor, &status) == 0 && status.st_size > 0 &&
        static_cast<std::uint64_t>(status.st_size) <= sizeLimit)
        content.reserve(static_cast<std::size_t>(status.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
        if (got == 0)
            return 0;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            content.clear();
            return EIO; // as the run time reports a failed read
        }
        if (content.size() + static_cast<std::size_t>(got) > sizeLimit) {
            content.clear();
            content.shrink_to_fit();
            return kErrFileTooLarge;
        }
        content.append(buffer, static_cast<std::size_t>(got));
    }
}

bool ReadWholeFile(const std::filesystem::path& path, std::string& content, int* errorNumber,
                   std::uint64_t sizeLimit) {
    content.clear();
    struct stat status {};
    int error = 0;
    const int descriptor = OpenWholeFile(path, sizeLimit, status, error);
    if (descriptor >= 0) {
        error = ReadAllOf(descriptor, content, sizeLimit);
        ::close(descriptor);
    }
    if (error != 0 && errorNumber)
        *errorNumber = error;
    return error == 0;
}

std::string ReadFailureReason(int errorNumber, std::uint64_t sizeLimit) {
    if (errorNumber == kErrNotRegularFile)
        return "not a regular file (a device, a pipe or a socket)";
    if (errorNumber == kErrFileTooLarge)
        return "larger than " + std::to_string(sizeLimit / kMegabyte) +
               " MB, the limit for such a file";
    return std::strerror(errorNumber);
}

} // namespace k2k
