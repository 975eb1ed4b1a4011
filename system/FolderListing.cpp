#include "system/FolderListing.h"

#include "system/NativePath.h"
#include "system/Text.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace k2k {

namespace {

enum class Entries { Files, Folders, Both };

bool ListedBefore(const std::string& a, const std::string& b) {
    const std::string upperA = UpperCase(a);
    const std::string upperB = UpperCase(b);
    return upperA != upperB ? upperA < upperB : a < b;
}

// A name the suite cannot hold, as it can be shown, and why.
UnnamedEntry Unnamed(std::string_view utf8) {
    UnnamedEntry entry;
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t code = 0;
        const std::size_t length = DecodeUtf8(utf8, i, code);
        const std::optional<char> byte = length > 0 ? Cp1252Byte(code) : std::nullopt;
        entry.shownName += byte.value_or('?');
        if (!byte && entry.reason.empty()) {
            char number[16];
            if (length == 0)
                std::snprintf(number, sizeof number, "0x%02X",
                              static_cast<unsigned>(static_cast<unsigned char>(utf8[i])));
            else
                std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(code));
            entry.reason =
                length == 0
                    ? "the name holds the byte " + std::string(number) + ", which is not UTF-8"
                    : "the name holds " + std::string(number) + ", which Windows-1252 cannot hold";
        }
        i += length == 0 ? 1 : length;
    }
    return entry;
}

std::vector<std::string> List(const std::string& folder, Entries wanted,
                              std::vector<UnnamedEntry>* unnamed) {
    std::vector<std::string> names;
    const std::size_t unnamedBefore = unnamed ? unnamed->size() : 0;
    const std::filesystem::path native = NativePath(folder);
    if (native.empty())
        return names;
    std::error_code ec;
    std::filesystem::directory_iterator it(native, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::error_code statusError;
        const bool isFolder = it->is_directory(statusError);
        const bool isFile = it->is_regular_file(statusError);
        if ((wanted == Entries::Files && isFile) || (wanted == Entries::Folders && isFolder) ||
            (wanted == Entries::Both && (isFile || isFolder))) {
            // Names in the suite's encoding; one it cannot hold is one it cannot ask for, and
            // so is one with a "\" in it, which a suite path takes for a folder's end.
            const std::string utf8 = it->path().filename().native();
            auto name = Utf8ToCp1252(utf8);
            if (name && name->find('\\') == std::string::npos)
                names.push_back(std::move(*name));
            else if (unnamed)
                unnamed->push_back(Unnamed(utf8));
        }
    }
    std::sort(names.begin(), names.end(), ListedBefore);
    if (unnamed)
        std::sort(unnamed->begin() + static_cast<std::ptrdiff_t>(unnamedBefore), unnamed->end(),
                  [](const UnnamedEntry& a, const UnnamedEntry& b) {
                      return ListedBefore(a.shownName, b.shownName);
                  });
    return names;
}

} // namespace

std::vector<std::string> ListFiles(const std::string& folder, std::vector<UnnamedEntry>* unnamed) {
    return List(folder, Entries::Files, unnamed);
}

std::vector<std::string> ListSubfolders(const std::string& folder,
                                        std::vector<UnnamedEntry>* unnamed) {
    return List(folder, Entries::Folders, unnamed);
}

bool HasExtensionNoCase(std::string_view name, std::string_view extension) noexcept {
    return name.size() > extension.size() &&
           EqualsNoCase(name.substr(name.size() - extension.size()), extension);
}

std::optional<std::string> FindNoCase(const std::string& folder, const std::string& name) {
    if (name.empty())
        return std::nullopt;
    std::error_code ec;
    const std::filesystem::path found = NativePath(JoinPath(folder, name));
    if (!std::filesystem::exists(found, ec))
        return std::nullopt;
    return Utf8ToCp1252(found.filename().native());
}

} // namespace k2k
