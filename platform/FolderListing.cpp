#include "platform/FolderListing.h"

#include "platform/NativePath.h"
#include "platform/Text.h"

#include <algorithm>
#include <filesystem>

namespace k2k {

namespace {

enum class Entries { Files, Folders, Both };

std::vector<std::string> List(const std::string& folder, Entries wanted) {
    std::vector<std::string> names;
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
            auto name = Utf8ToCp1252(it->path().filename().native());
            if (name && name->find('\\') == std::string::npos)
                names.push_back(std::move(*name));
        }
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string upperA = UpperCase(a);
        const std::string upperB = UpperCase(b);
        return upperA != upperB ? upperA < upperB : a < b;
    });
    return names;
}

} // namespace

std::vector<std::string> ListFiles(const std::string& folder) {
    return List(folder, Entries::Files);
}

std::vector<std::string> ListSubfolders(const std::string& folder) {
    return List(folder, Entries::Folders);
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
