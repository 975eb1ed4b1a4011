#include "platform/SuiteServices.h"

#include <cerrno>

#include "platform/FileOps.h"
#include "system/AtomicFile.h"
#include "system/NativePath.h"
#include "system/Text.h"

#include <system_error>

namespace k2k {

namespace {

constexpr std::string_view kTextFileName = "TEXTS.LNG";
constexpr std::string_view kFolderSection = "Kalde2K";

// "identifier=text" lines. The identifier is trimmed; the text is taken as it stands,
// since many texts begin or end with a blank that joins them to a name (" not found").
// The first line of an identifier wins; an empty text counts as no text.
std::map<std::string, std::string, std::less<>> ParseTexts(std::string_view content) {
    std::map<std::string, std::string, std::less<>> texts;
    while (!content.empty()) {
        const std::size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::string_view trimmed = TrimLeft(line);
        if (trimmed.empty() || trimmed.front() == ';')
            continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view id = Trim(line.substr(0, equals));
        const std::string_view text = line.substr(equals + 1);
        if (!id.empty() && !text.empty())
            texts.emplace(std::string(id), std::string(text));
    }
    return texts;
}

} // namespace

SuiteServices::SuiteServices(std::filesystem::path directorySettings, MessageBoxes& boxes)
    : m_dirSettings(std::move(directorySettings)), m_boxes(boxes) {
    // Relative values are resolved against this file's folder, which must not depend on
    // a later change of the current folder.
    std::error_code ignored;
    if (!m_dirSettings.empty()) {
        std::filesystem::path absolute = std::filesystem::absolute(m_dirSettings, ignored);
        if (!absolute.empty())
            m_dirSettings = absolute.lexically_normal();
    }
}

void SuiteServices::SetLanguagePath(const std::string& languagePath) {
    if (languagePath == m_languagePath)
        return;
    m_languagePath = languagePath;
    m_texts.clear();
    if (languagePath.empty())
        return;
    const std::string file = JoinPath(languagePath, kTextFileName);
    std::string content;
    int errorNumber = 0;
    if (ReadWholeFile(NativePath(file), content, &errorNumber, kLanguageTextsLimit))
        m_texts = ParseTexts(content);
    else if (errorNumber != ENOENT && errorNumber != ENOTDIR)
        // A language without its file speaks English; one whose file is there but cannot
        // be read (a device, a folder, a file of gigabytes) is said, in English.
        m_boxes.Show(FileOps::ReadFailureMessage(*this, file, errorNumber, kLanguageTextsLimit));
}

std::string SuiteServices::GetText(std::string_view defaultText, std::string_view id) const {
    const auto found = m_texts.find(Trim(id));
    return found != m_texts.end() ? found->second : std::string(defaultText);
}

std::string SuiteServices::GetIniString(std::string_view section, std::string_view key,
                                        std::string_view defaultValue) const {
    if (m_iniFile.empty())
        return std::string(TrimRight(defaultValue));
    return GetProfileString(NativePath(m_iniFile), section, key, defaultValue);
}

bool SuiteServices::WriteIniString(std::string_view section, std::string_view key,
                                   std::optional<std::string_view> value, int* errorNumber) {
    if (m_iniFile.empty()) {
        if (errorNumber)
            *errorNumber = ENOENT;
        return false;
    }
    return WriteProfileString(NativePath(m_iniFile), section, key, value, errorNumber);
}

IniSnapshot SuiteServices::ReadIniDocument() const {
    return ReadIniFile(m_iniFile.empty() ? std::filesystem::path() : NativePath(m_iniFile));
}

IniEdit SuiteServices::EditIniFile() const {
    return IniEdit(m_iniFile.empty() ? std::filesystem::path() : NativePath(m_iniFile));
}

std::string SuiteServices::GetDirSetting(std::string_view section, std::string_view key,
                                         std::string_view defaultValue) const {
    return ReadDirSettings().Get(section, key, defaultValue);
}

DirSettings SuiteServices::ReadDirSettings() const {
    return {m_dirSettings.empty() ? nullptr : ReadIniFile(m_dirSettings), m_dirSettings};
}

std::string DirSettings::Get(std::string_view section, std::string_view key,
                             std::string_view defaultValue) const {
    std::optional<std::string> value;
    if (m_document)
        value = m_document->Get(section, key);
    if (!value)
        return std::string(defaultValue);
    if (EqualsNoCase(Trim(section), kFolderSection) && !value->empty() &&
        !IsAbsoluteSuitePath(*value)) {
        // The folder came in through SuitePath where the suite was opened, so it converts.
        const auto root = SuitePath(m_file->parent_path());
        std::string folder = root ? *root : std::string();
        if (!folder.empty() && folder.back() == '\\')
            folder.pop_back(); // the root: "\" & "LIB", not "\\LIB"
        return JoinPath(folder, *value);
    }
    return *value;
}

bool SuiteServices::SetDirSetting(std::string_view section, std::string_view key,
                                  std::string_view value, int* errorNumber) {
    if (m_dirSettings.empty()) {
        if (errorNumber)
            *errorNumber = ENOENT;
        return false;
    }
    return WriteProfileString(m_dirSettings, section, key, value, errorNumber);
}

bool SuiteServices::AskYesNo(const std::string& text, const std::string& title) {
    MessageRequest request;
    request.text = text;
    request.title = title;
    request.icon = MsgIcon::Question;
    request.buttons = MsgButtons::YesNo;
    return m_boxes.Show(request) == MsgAnswer::Yes;
}

} // namespace k2k
