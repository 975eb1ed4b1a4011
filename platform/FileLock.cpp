#include "platform/FileLock.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace k2k {

namespace {

constexpr std::chrono::milliseconds kDefaultWait{10'000};
// Lock bytes lie in [1, 2^31): every lock manager takes 32-bit offsets.
constexpr std::uint64_t kLockBytes = 0x7FFF'FFFE;

std::atomic<long long> g_waitOverride{-1};

// FNV-1a of the name with ASCII letters upper-cased, as the suite compares file names.
off_t LockByte(const std::filesystem::path& file) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : file.filename().string()) {
        const auto byte = static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        hash = (hash ^ byte) * 1099511628211ull;
    }
    return static_cast<off_t>(1 + hash % kLockBytes);
}

int OpenLockFile(const std::filesystem::path& file) {
    std::filesystem::path folder = file.parent_path();
    if (folder.empty())
        folder = ".";
    const std::filesystem::path lockFile = folder / kLockFileName;
    int fd = ::open(lockFile.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd >= 0 || errno != ENOENT)
        return fd;
    fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd >= 0) {
        // Everyone who may write in the folder must be able to lock in it; the file
        // stays empty, so it tells no one anything.
        ::fchmod(fd, 0666);
        return fd;
    }
    if (errno == EEXIST) // another writer made it first
        return ::open(lockFile.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    return -1;
}

} // namespace

std::chrono::milliseconds LockWait() noexcept {
    const long long set = g_waitOverride.load();
    if (set >= 0)
        return std::chrono::milliseconds(set);
    if (const char* text = std::getenv("K2K_LOCK_WAIT_MS")) {
        char* end = nullptr;
        const long long value = std::strtoll(text, &end, 10);
        if (end != text && *end == '\0' && value >= 0)
            return std::chrono::milliseconds(value);
    }
    return kDefaultWait;
}

void SetLockWait(std::chrono::milliseconds wait) noexcept {
    g_waitOverride = wait.count();
}

FileLock::~FileLock() {
    Release();
}

FileLock::FileLock(FileLock&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {
}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        Release();
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

bool FileLock::Take(const std::filesystem::path& file, int* errorNumber) {
    Release();
    const int fd = OpenLockFile(file);
    if (fd < 0) {
        if (errorNumber)
            *errorNumber = errno;
        return false;
    }
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = LockByte(file);
    lock.l_len = 1;
    const auto deadline = std::chrono::steady_clock::now() + LockWait();
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        if (::fcntl(fd, F_OFD_SETLK, &lock) == 0) {
            m_fd = fd;
            return true;
        }
        const int failure = errno;
        if (failure != EAGAIN && failure != EACCES && failure != EINTR) {
            ::close(fd);
            if (errorNumber)
                *errorNumber = failure;
            return false;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            ::close(fd);
            if (errorNumber)
                *errorNumber = kErrFileLocked;
            return false;
        }
        // A rewrite takes milliseconds: look again soon, then less often.
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
}

void FileLock::Release() noexcept {
    if (m_fd < 0)
        return;
    // Closing the only descriptor of the open file description releases its locks.
    ::close(m_fd);
    m_fd = -1;
}

} // namespace k2k
