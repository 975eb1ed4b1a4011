#include "platform/SuiteServices.h"

// Placeholder until the suite services are written.
namespace k2k {

SuiteServices::SuiteServices(std::filesystem::path directorySettings, MessageBoxes& boxes)
    : m_dirSettings(std::move(directorySettings)), m_boxes(boxes) {}
void SuiteServices::SetLanguagePath(const std::string& languagePath) {
    m_languagePath = languagePath;
}
std::string SuiteServices::GetText(std::string_view defaultText, std::string_view) const {
    return std::string(defaultText);
}
std::string SuiteServices::GetIniString(std::string_view, std::string_view,
                                        std::string_view defaultValue) const {
    return std::string(defaultValue);
}
bool SuiteServices::WriteIniString(std::string_view, std::string_view,
                                   std::optional<std::string_view>) {
    return false;
}
std::string SuiteServices::GetDirSetting(std::string_view, std::string_view,
                                         std::string_view defaultValue) const {
    return std::string(defaultValue);
}
void SuiteServices::SetDirSetting(std::string_view, std::string_view, std::string_view) {}
bool SuiteServices::AskYesNo(const std::string& text, const std::string& title) {
    return m_boxes.Show({text, title, MsgIcon::Question, MsgButtons::YesNo, false}) ==
           MsgAnswer::Yes;
}

}  // namespace k2k
