#include "platform/UserSettings.h"

#include "system/Text.h"
#include "system/UserFolders.h"

#include <system_error>

namespace k2k {

namespace {

constexpr const char* kFolderName = "Kalde2000-settings";

// The INI reader trims blanks and takes off one pair of surrounding quotes; quoting such
// a value once more makes it read back unchanged.
bool NeedsQuotes(std::string_view value) {
    if (Trim(value).size() != value.size())
        return true;
    return value.size() >= 2 && value.front() == '"' && value.back() == '"';
}

} // namespace

UserSettings::UserSettings() : m_folder(DefaultFolder()) {
}

UserSettings::UserSettings(std::filesystem::path folder) : m_folder(std::move(folder)) {
}

std::filesystem::path UserSettings::DefaultFolder() {
    return UserConfigFolder() / kFolderName;
}

std::filesystem::path UserSettings::FileOf(std::string_view application) const {
    // The name becomes one file name: no folder separators, no "." or "..".
    std::string name(application);
    for (char& c : name)
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20)
            c = '_';
    if (name.empty() || name == "." || name == "..")
        name = "_" + name;
    return m_folder / (name + ".ini");
}

std::string UserSettings::GetUserSetting(std::string_view application, std::string_view section,
                                         std::string_view key,
                                         std::string_view defaultValue) const {
    if (auto value = Read(application)->Get(section, key))
        return *value;
    return std::string(defaultValue);
}

IniSnapshot UserSettings::Read(std::string_view application) const {
    return ReadIniFile(FileOf(application));
}

bool UserSettings::SaveUserSetting(std::string_view application, std::string_view section,
                                   std::string_view key, std::string_view value) {
    const std::pair<std::string, std::string> one{key, value};
    return SaveUserSettings(application, section, {&one, 1});
}

bool UserSettings::SaveUserSettings(std::string_view application, std::string_view section,
                                    std::span<const std::pair<std::string, std::string>> values) {
    std::error_code error;
    std::filesystem::create_directories(m_folder, error);
    if (error)
        return false;
    IniEdit edit(FileOf(application));
    for (const auto& [key, value] : values)
        edit.Set(section, key, NeedsQuotes(value) ? "\"" + value + "\"" : value);
    return edit.Commit();
}

} // namespace k2k
