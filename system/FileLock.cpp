#include "system/FileLock.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <tuple>
#include <unistd.h>
#include <utility>

namespace k2k {

namespace {

constexpr std::chrono::milliseconds kDefaultWait{10'000};
// Lock bytes lie in [1, 2^31): every lock manager takes 32-bit offsets.
constexpr std::uint64_t kLockBytes = 0x7FFF'FFFE;

std::atomic<long long> g_waitOverride{-1};
std::atomic<long long> g_longestWait{0};

// Symbolic links followed before a name is taken for a loop.
constexpr int kMaxLinks = 40;

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

// One lock byte of one lock file.
using LockKey = std::tuple<dev_t, ino_t, off_t>;

void NoteWait(std::chrono::steady_clock::duration waited) noexcept {
    const long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(waited).count();
    long long longest = g_longestWait.load();
    while (ms > longest && !g_longestWait.compare_exchange_weak(longest, ms)) {
    }
}

} // namespace

// The locks this process holds, each with the thread that holds it and how many times.
struct FileLock::Holding {
    int fd = -1;
    std::thread::id owner;
    int count = 0;
    LockKey key;
};

namespace {

std::mutex g_heldMutex;
std::map<LockKey, FileLock::Holding*>& HeldLocks() {
    static std::map<LockKey, FileLock::Holding*> held;
    return held;
}

} // namespace

std::filesystem::path FollowFileLinks(const std::filesystem::path& file) {
    std::filesystem::path current = file;
    for (int link = 0; link < kMaxLinks; ++link) {
        struct stat status {};
        if (::lstat(current.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return current;
        std::error_code error;
        const std::filesystem::path target = std::filesystem::read_symlink(current, error);
        if (error)
            return current;
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    return current; // a loop: the rewrite then fails on it as an open would
}

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

std::chrono::milliseconds LongestLockWait() noexcept {
    return std::chrono::milliseconds(g_longestWait.load());
}

FileLock::FileLock(FileLock&& other) noexcept : m_holding(std::exchange(other.m_holding, nullptr)) {
}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        Release();
        m_holding = std::exchange(other.m_holding, nullptr);
    }
    return *this;
}

bool FileLock::Take(const std::filesystem::path& file, int* errorNumber) {
    Release();
    const auto fail = [errorNumber](int number) {
        if (errorNumber)
            *errorNumber = number;
        return false;
    };
    const std::filesystem::path target = FollowFileLinks(file);
    const int fd = OpenLockFile(target);
    struct stat lockFile {};
    if (fd < 0 || ::fstat(fd, &lockFile) != 0) {
        const int failure = errno;
        if (fd >= 0)
            ::close(fd);
        return fail(failure);
    }
    const LockKey key{lockFile.st_dev, lockFile.st_ino, LockByte(target)};
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = std::get<2>(key);
    lock.l_len = 1;
    const auto start = std::chrono::steady_clock::now();
    const auto deadline = start + LockWait();
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        {
            const std::lock_guard guard(g_heldMutex);
            auto& held = HeldLocks();
            const auto found = held.find(key);
            if (found != held.end() && found->second->owner == std::this_thread::get_id()) {
                ::close(fd);
                m_holding = found->second;
                ++m_holding->count;
                return true;
            }
            if (found == held.end()) {
                if (::fcntl(fd, F_OFD_SETLK, &lock) == 0) {
                    m_holding = new Holding{fd, std::this_thread::get_id(), 1, key};
                    held.emplace(key, m_holding);
                    NoteWait(std::chrono::steady_clock::now() - start);
                    return true;
                }
                const int failure = errno;
                if (failure != EAGAIN && failure != EACCES && failure != EINTR) {
                    ::close(fd);
                    return fail(failure);
                }
            }
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            ::close(fd);
            NoteWait(now - start);
            return fail(kErrFileLocked);
        }
        // A rewrite takes milliseconds: look again soon, then less often.
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
}

void FileLock::Release() noexcept {
    if (!m_holding)
        return;
    const std::lock_guard guard(g_heldMutex);
    if (--m_holding->count == 0) {
        // Closing the only descriptor of the open file description releases its locks.
        ::close(m_holding->fd);
        HeldLocks().erase(m_holding->key);
        delete m_holding;
    }
    m_holding = nullptr;
}

} // namespace k2k
