#include "platform/AtomicFile.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
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

bool RemoveFileStep(const std::filesystem::path& file, std::string* error) {
    FileStep();
    if (::unlink(file.c_str()) != 0 && errno != ENOENT) {
        if (error)
            *error = "cannot remove " + file.string() + ": " + std::strerror(errno);
        return false;
    }
    SyncFolderOf(file);
    return true;
}

AtomicFileWriter::~AtomicFileWriter() {
    Abort();
}

bool AtomicFileWriter::Fail(const std::string& what, int errorNumber) {
    m_errno = errorNumber;
    m_error = what + ": " + std::strerror(errorNumber);
    return false;
}

bool AtomicFileWriter::Open(const std::filesystem::path& target) {
    Abort();
    m_target = target;
    m_temporary = NewFilePath(target);
    m_written = 0;
    m_error.clear();
    m_errno = 0;
    // A new file left by a crash may carry a read-only mode taken from its target; it is
    // ours to replace. (A folder in its place is not removed: the open then fails.)
    FileStep();
    ::unlink(m_temporary.c_str());
    FileStep();
    const int fd = ::open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return Fail("cannot create " + m_temporary.string(), errno);
    // The mode of the file it replaces, set before any content is written, so the content
    // is never readable by more people than the old file was.
    struct stat old {};
    if (::stat(m_target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        FileStep();
        if (::fchmod(fd, old.st_mode & kPermissionBits) != 0) {
            const int chmodErrno = errno;
            ::close(fd);
            ::unlink(m_temporary.c_str());
            return Fail("cannot set the mode of " + m_temporary.string(), chmodErrno);
        }
    }
    m_file = ::fdopen(fd, "wb");
    if (!m_file) {
        const int openErrno = errno;
        ::close(fd);
        ::unlink(m_temporary.c_str());
        return Fail("cannot create " + m_temporary.string(), openErrno);
    }
    return true;
}

bool AtomicFileWriter::Write(std::string_view bytes) {
    if (!m_file)
        return Fail("file not open", EBADF);
    if (m_written + bytes.size() > m_failAfter)
        return Fail("cannot write " + m_temporary.string(), ENOSPC);
    FileStep();
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size())
        return Fail("cannot write " + m_temporary.string(), errno ? errno : EIO);
    m_written += bytes.size();
    return true;
}

bool AtomicFileWriter::Commit() {
    if (!m_file)
        return Fail("file not open", EBADF);
    std::FILE* file = m_file;
    m_file = nullptr;
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
        return Fail("cannot write " + m_temporary.string(), flushErrno ? flushErrno : EIO);
    }
    FileStep();
    if (std::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        const int renameErrno = errno;
        FileStep();
        std::filesystem::remove(m_temporary, ignored);
        return Fail("cannot replace " + m_target.string(), renameErrno);
    }
    SyncFolderOf(m_target);
    return true;
}

void AtomicFileWriter::Abort() noexcept {
    if (!m_file)
        return;
    std::fclose(m_file);
    m_file = nullptr;
    FileStep();
    std::error_code ignored;
    std::filesystem::remove(m_temporary, ignored);
}

bool WriteFileAtomically(const std::filesystem::path& target, std::string_view content,
                         std::string* error, int* errorNumber) {
    AtomicFileWriter writer;
    const bool ok = writer.Open(target) && writer.Write(content) && writer.Commit();
    if (!ok) {
        if (error)
            *error = writer.Error();
        if (errorNumber)
            *errorNumber = writer.ErrorNumber();
    }
    return ok;
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

bool ReadWholeFile(const std::filesystem::path& path, std::string& content, int* errorNumber) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        if (errorNumber)
            *errorNumber = errno;
        return false;
    }
    content.clear();
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        content.append(buffer, got);
    const bool ok = !std::ferror(file);
    if (!ok && errorNumber)
        *errorNumber = EIO;
    std::fclose(file);
    return ok;
}

} // namespace k2k
