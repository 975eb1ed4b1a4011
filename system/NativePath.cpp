#include "system/NativePath.h"

#include "system/Text.h"

#include <dirent.h>
#include <optional>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace k2k {

namespace {

bool HasDrive(std::string_view path) noexcept {
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

bool Exists(const std::string& native) {
    struct stat info {};
    return ::stat(native.empty() ? "." : native.c_str(), &info) == 0;
}

// The entry of a folder whose name, in the suite's encoding, equals name without regard
// to case; the first in byte order when several do. Empty when there is none. Names that
// Windows-1252 cannot hold are names the suite cannot ask for.
std::string FindEntryNoCase(const std::string& folder, std::string_view name) {
    std::string found;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return found;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view candidate(entry->d_name);
        if (candidate == "." || candidate == "..")
            continue;
        const auto suiteName = Utf8ToCp1252(candidate);
        if (suiteName && EqualsNoCase(*suiteName, name) && (found.empty() || candidate < found))
            found = candidate;
    }
    ::closedir(dir);
    return found;
}

// The native path of a miss, each component looked for without regard to case from the
// deepest folder that exists as given.
std::string ResolveNoCase(const std::string& native) {
    const bool absolute = !native.empty() && native.front() == '/';
    const bool trailing = native.size() > 1 && native.back() == '/';
    std::vector<std::string_view> parts;
    for (std::string_view part : SplitAt(native, '/'))
        if (!part.empty())
            parts.push_back(part);

    const auto prefix = [&](std::size_t count) {
        std::string path = absolute ? "/" : "";
        for (std::size_t i = 0; i < count; ++i) {
            if (i > 0)
                path += '/';
            path += parts[i];
        }
        return path;
    };
    std::size_t existing = parts.size();
    while (existing > 0 && !Exists(prefix(existing - 1)))
        --existing;
    // parts[existing - 1] is the first that is missing as given (or there is none).
    std::size_t next = existing == 0 ? 0 : existing - 1;
    std::string path = prefix(next);
    bool knownMissing = true;
    for (; next < parts.size(); ++next) {
        std::string candidate = path;
        if (!candidate.empty() && candidate.back() != '/')
            candidate += '/';
        if (!knownMissing && Exists(candidate + std::string(parts[next]))) {
            path = candidate + std::string(parts[next]);
            continue;
        }
        knownMissing = false;
        const auto suiteName = Utf8ToCp1252(parts[next]);
        const std::string entry = suiteName ? FindEntryNoCase(path, *suiteName) : std::string();
        if (entry.empty())
            break;
        path = candidate + entry;
    }
    // The rest, from the first component that has no entry, stays as given.
    for (; next < parts.size(); ++next) {
        if (!path.empty() && path.back() != '/')
            path += '/';
        path += parts[next];
    }
    if (trailing && path.back() != '/')
        path += '/';
    return path;
}

// The character at offset as it stands, quoted, or a word on bytes that are not UTF-8.
std::string OffendingCharacter(const std::string& text, std::size_t offset) {
    const auto lead = static_cast<unsigned char>(text[offset]);
    const std::size_t length = lead >= 0xF8   ? 0
                               : lead >= 0xF0 ? 4
                               : lead >= 0xE0 ? 3
                               : lead >= 0xC0 ? 2
                                              : 0;
    bool wellFormed = length > 0 && offset + length <= text.size();
    for (std::size_t i = 1; wellFormed && i < length; ++i)
        wellFormed = (static_cast<unsigned char>(text[offset + i]) & 0xC0) == 0x80;
    return wellFormed ? "\"" + text.substr(offset, length) + "\"" : "bytes that are not UTF-8";
}

} // namespace

std::string DisplayPath(std::string_view suitePath) {
    std::string native;
    native.reserve(suitePath.size() + 1);
    if (HasDrive(suitePath)) {
        suitePath.remove_prefix(2);
        native.push_back('/');
    }
    // Repeated separators collapse, so "C:\" & "\" & name still names one file.
    for (char c : suitePath) {
        const char out = (c == '\\') ? '/' : c;
        if (out == '/' && !native.empty() && native.back() == '/')
            continue;
        native += out;
    }
    return native;
}

std::filesystem::path NativePath(std::string_view suitePath) {
    std::string native = Cp1252ToUtf8(DisplayPath(suitePath));
    if (native.empty() || Exists(native))
        return std::filesystem::path(std::move(native));
    return std::filesystem::path(ResolveNoCase(native));
}

Result<std::string> SuitePath(const std::filesystem::path& nativePath) {
    const std::string& text = nativePath.native();
    std::size_t bad = 0;
    std::optional<std::string> suite = Utf8ToCp1252(text, &bad);
    if (!suite)
        return Problem{"the path \"" + text + "\" holds " + OffendingCharacter(text, bad) +
                       ", which the suite's Windows-1252 names cannot hold"};
    for (char& c : *suite)
        if (c == '/')
            c = '\\';
    return std::move(*suite);
}

bool IsAbsoluteSuitePath(std::string_view suitePath) noexcept {
    return HasDrive(suitePath) ||
           (!suitePath.empty() && (suitePath[0] == '\\' || suitePath[0] == '/'));
}

std::string JoinPath(std::string_view directory, std::string_view name) {
    std::string path;
    path.reserve(directory.size() + 1 + name.size());
    path.append(directory).append(1, '\\').append(name);
    return path;
}

} // namespace k2k
