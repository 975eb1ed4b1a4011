#include "platform/NativePath.h"

namespace k2k {

namespace {

bool HasDrive(std::string_view path) noexcept {
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

} // namespace

std::filesystem::path NativePath(std::string_view suitePath) {
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
    return std::filesystem::path(native);
}

std::string SuitePath(const std::filesystem::path& nativePath) {
    std::string text = nativePath.generic_string();
    for (char& c : text)
        if (c == '/')
            c = '\\';
    return text;
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
