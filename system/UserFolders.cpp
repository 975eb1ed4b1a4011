#include "system/UserFolders.h"

#include <cstdlib>

namespace k2k {

namespace {

std::optional<std::filesystem::path> AbsoluteFromEnvironment(const char* variable) {
    const char* value = std::getenv(variable);
    if (value && *value == '/')
        return std::filesystem::path(value);
    return std::nullopt;
}

std::filesystem::path FromHome(const std::filesystem::path& below) {
    const char* home = std::getenv("HOME");
    if (home && *home)
        return std::filesystem::path(home) / below;
    return below;
}

} // namespace

std::filesystem::path UserDataFolder() {
    return AbsoluteFromEnvironment("XDG_DATA_HOME").value_or(FromHome(".local/share"));
}

std::filesystem::path UserConfigFolder() {
    return AbsoluteFromEnvironment("XDG_CONFIG_HOME").value_or(FromHome(".config"));
}

std::optional<std::filesystem::path> UserRuntimeFolder() {
    return AbsoluteFromEnvironment("XDG_RUNTIME_DIR");
}

} // namespace k2k
