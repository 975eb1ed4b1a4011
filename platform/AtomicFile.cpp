#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace k2k {

void SyncFolderOf(const std::filesystem::path& file) {
    std::filesystem::path folder = file.parent_path();
    if (folder.empty())
        folder = ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
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
    m_temporary = target;
    m_temporary += ".new~";
    m_written = 0;
    m_error.clear();
    m_errno = 0;
    m_file = std::fopen(m_temporary.c_str(), "wb");
    if (!m_file)
        return Fail("cannot create " + m_temporary.string(), errno);
    return true;
}

bool AtomicFileWriter::Write(std::string_view bytes) {
    if (!m_file)
        return Fail("file not open", EBADF);
    if (m_written + bytes.size() > m_failAfter)
        return Fail("cannot write " + m_temporary.string(), ENOSPC);
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
    const bool flushed = std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
    const int flushErrno = errno;
    const bool closed = std::fclose(file) == 0;
    if (!flushed || !closed) {
        std::filesystem::remove(m_temporary);
        return Fail("cannot write " + m_temporary.string(), flushErrno ? flushErrno : EIO);
    }
    if (std::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        const int renameErrno = errno;
        std::filesystem::remove(m_temporary);
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
