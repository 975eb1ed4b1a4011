#pragma once
// The suite's shared services object: texts by identifier in the current language, the
// current initialisation file (and the profile functions that read and write its keys),
// the suite's directory settings, and a yes-or-no question. One instance per component.
//
// Where things live (our stand-in's choices):
// - Directory settings are the INI file handed to the constructor (a suite's "suite.ini").
//   Values of the section "Kalde2K" that are relative paths are resolved against the
//   folder of that file, so a suite folder can be moved or copied as a whole.
// - Texts come from the file "TEXTS.LNG" in the language path: lines "identifier=text"
//   in Windows-1252; lines starting with ';' are comments. The identifier is trimmed of
//   blanks, the text is kept as it stands (blanks included). A missing file, a missing
//   identifier or an empty text gives the default text; of two lines with the same
//   identifier the first counts. The file is read when the language path changes.

#include "formats/IniFile.h"
#include "platform/MessageBoxes.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace k2k {

// The directory settings as they stood when read, for reading many settings from one
// reading of the file. It refers to the services that made it and must not outlive them.
class DirSettings final {
public:
    // The setting, or the default when the file, the section or the key is missing; a
    // relative folder of the section "Kalde2K" comes resolved.
    std::string Get(std::string_view section, std::string_view key,
                    std::string_view defaultValue) const;

private:
    friend class SuiteServices;
    DirSettings(IniSnapshot document, const std::filesystem::path& file)
        : m_document(std::move(document)), m_file(&file) {}

    IniSnapshot m_document; // null when there is no settings file
    const std::filesystem::path* m_file;
};

class SuiteServices final {
public:
    // directorySettings: native path of the directory-settings file (need not exist).
    SuiteServices(std::filesystem::path directorySettings, MessageBoxes& boxes);

    // --- texts
    void SetLanguagePath(const std::string& languagePath); // suite-form folder path
    const std::string& LanguagePath() const noexcept { return m_languagePath; }
    std::string GetText(std::string_view defaultText, std::string_view id) const;

    // --- current initialisation file (suite-form path)
    const std::string& IniFile() const noexcept { return m_iniFile; }
    void SetIniFile(const std::string& path) { m_iniFile = path; }
    // The profile functions on the current initialisation file. WriteIniString with
    // nullopt removes the key; false (errorNumber: the errno) when the file cannot be
    // written.
    std::string GetIniString(std::string_view section, std::string_view key,
                             std::string_view defaultValue) const;
    // The current initialisation file as it stands (empty without one), for reading many
    // keys from one reading of the file.
    IniSnapshot ReadIniDocument() const;
    bool WriteIniString(std::string_view section, std::string_view key,
                        std::optional<std::string_view> value, int* errorNumber = nullptr);
    // An edit of the current initialisation file, for a save of many keys in one rewrite;
    // with no current file its Commit fails with ENOENT.
    IniEdit EditIniFile() const;

    // --- directory settings
    std::string GetDirSetting(std::string_view section, std::string_view key,
                              std::string_view defaultValue) const;
    // The settings file as it stands, for reading many settings from one reading.
    DirSettings ReadDirSettings() const;
    // False when the settings file cannot be written (errorNumber: the errno).
    bool SetDirSetting(std::string_view section, std::string_view key, std::string_view value,
                       int* errorNumber = nullptr);
    // An edit of the settings file, for a save of many settings in one rewrite.
    IniEdit EditDirSettings() const { return IniEdit(m_dirSettings); }
    const std::filesystem::path& DirectorySettingsFile() const noexcept { return m_dirSettings; }

    // --- questions and boxes
    bool AskYesNo(const std::string& text, const std::string& title);
    MessageBoxes& Boxes() noexcept { return m_boxes; }
    // The shared dialog-title suffix, set by the suite that gives one (this suite sets none).
    const std::string& DialogTitleSuffix() const noexcept { return m_dialogTitleSuffix; }
    void SetDialogTitleSuffix(std::string suffix) { m_dialogTitleSuffix = std::move(suffix); }

private:
    std::filesystem::path m_dirSettings;
    MessageBoxes& m_boxes;
    std::string m_languagePath;
    std::string m_iniFile;
    std::string m_dialogTitleSuffix;
    std::map<std::string, std::string, std::less<>> m_texts;
};

} // namespace k2k
