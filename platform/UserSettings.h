#pragma once
// The per-user settings store (what the registry's per-user settings are on the suite's
// home platform): values by application, section and key. Each application has one INI
// file, "<application>.ini", in the settings folder; sections and keys are found without
// regard to case, as the registry finds them.
//
// The default settings folder is "$XDG_CONFIG_HOME/Kalde2000-settings", or
// "$HOME/.config/Kalde2000-settings" when XDG_CONFIG_HOME is unset or not absolute.
//
// Values come back exactly as they were saved: a value that the INI reader would change
// (leading or trailing blanks, a pair of surrounding quotes) is written in quotes. A value
// with a line break cannot be stored.

#include "formats/IniFile.h"

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace k2k {

class UserSettings final {
public:
    // The settings folder of this user, from the environment.
    UserSettings();
    // A given settings folder (native path; created on the first save).
    explicit UserSettings(std::filesystem::path folder);

    static std::filesystem::path DefaultFolder();

    // The saved value, or the default when the application, section or key is missing.
    std::string GetUserSetting(std::string_view application, std::string_view section,
                               std::string_view key, std::string_view defaultValue) const;
    // The application's settings as they stand, for reading many values from one reading
    // of its file: a saved value is Get(section, key), quotes and all taken care of.
    IniSnapshot Read(std::string_view application) const;
    // False when the value cannot be stored (an unwritable folder, a line break).
    bool SaveUserSetting(std::string_view application, std::string_view section,
                         std::string_view key, std::string_view value);
    // Several keys of one section (key, value) in one rewrite of the file: all of them, or
    // none when one cannot be stored.
    bool SaveUserSettings(std::string_view application, std::string_view section,
                          std::span<const std::pair<std::string, std::string>> values);

    const std::filesystem::path& Folder() const noexcept { return m_folder; }
    std::filesystem::path FileOf(std::string_view application) const;

private:
    std::filesystem::path m_folder;
};

} // namespace k2k
