#include "formats/IniFileCache.h"

#include "system/AtomicFile.h"

#include <cerrno>
#include <ctime>
#include <sys/stat.h>
#include <unistd.h>

namespace k2k {

namespace {

constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;
// How long after its last change a file is trusted to show a new change in its times.
constexpr std::int64_t kSettleNanoseconds = 2 * kNanosecondsPerSecond;
constexpr std::size_t kFilesKept = 16;

std::int64_t Nanoseconds(const struct timespec& time) noexcept {
    return static_cast<std::int64_t>(time.tv_sec) * kNanosecondsPerSecond + time.tv_nsec;
}

std::int64_t Now() noexcept {
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return Nanoseconds(now);
}

const IniSnapshot& EmptyDocument() {
    static const IniSnapshot empty = std::make_shared<const IniDocument>();
    return empty;
}

} // namespace

IniFileCache& IniFileCache::Shared() {
    static IniFileCache cache;
    return cache;
}

IniSnapshot IniFileCache::Read(const std::filesystem::path& file, int* errorNumber) {
    auto done = [errorNumber](int number, const IniSnapshot& document) {
        if (errorNumber)
            *errorNumber = number;
        return document;
    };
    auto stampOf = [](const struct stat& status) {
        return Stamp{static_cast<std::uint64_t>(status.st_dev),
                     static_cast<std::uint64_t>(status.st_ino),
                     static_cast<std::int64_t>(status.st_size), Nanoseconds(status.st_mtim),
                     Nanoseconds(status.st_ctim)};
    };

    const std::string& key = file.native();
    struct stat status {};
    if (file.empty() || ::stat(file.c_str(), &status) != 0) {
        const int error = file.empty() ? ENOENT : errno;
        Forget(file);
        return done(error, EmptyDocument());
    }
    if (S_ISDIR(status.st_mode))
        return done(EISDIR, EmptyDocument());
    {
        const std::lock_guard lock(m_mutex);
        const auto found = m_entries.find(key);
        if (found != m_entries.end()) {
            if (found->second.stamp == stampOf(status)) {
                found->second.lastUse = ++m_uses;
                return done(0, found->second.document);
            }
            m_entries.erase(found);
        }
    }

    const std::int64_t readAt = Now();
    struct stat before {};
    struct stat after {};
    int error = 0;
    const int descriptor = OpenWholeFile(file, kIniFileLimit, before, error);
    if (descriptor < 0)
        return done(error, EmptyDocument());
    std::string text;
    error = ReadAllOf(descriptor, text, kIniFileLimit);
    if (error == 0 && ::fstat(descriptor, &after) != 0)
        error = errno;
    ::close(descriptor);
    if (error != 0)
        return done(error, EmptyDocument());
    ++m_filesRead;

    auto document = std::make_shared<const IniDocument>(IniDocument::Parse(text));
    const Stamp stamp = stampOf(before);
    // A file that changed while it was read, or may still change unseen, is not kept.
    if (S_ISREG(before.st_mode) && stamp == stampOf(after) &&
        stamp.modified < readAt - kSettleNanoseconds)
        Keep(key, stamp, document);
    return done(0, document);
}

void IniFileCache::Forget(const std::filesystem::path& file) {
    const std::lock_guard lock(m_mutex);
    const auto found = m_entries.find(file.native());
    if (found != m_entries.end())
        m_entries.erase(found);
}

void IniFileCache::Keep(const std::string& key, const Stamp& stamp, const IniSnapshot& document) {
    const std::lock_guard lock(m_mutex);
    m_entries[key] = Entry{stamp, document, ++m_uses};
    if (m_entries.size() <= kFilesKept)
        return;
    auto oldest = m_entries.begin();
    for (auto entry = m_entries.begin(); entry != m_entries.end(); ++entry)
        if (entry->second.lastUse < oldest->second.lastUse)
            oldest = entry;
    m_entries.erase(oldest);
}

} // namespace k2k
