#include "platform/IniFile.h"

// Placeholder until the INI files are written.
namespace k2k {

IniDocument IniDocument::Parse(std::string_view) { return {}; }
std::string IniDocument::ToText() const { return {}; }
std::optional<std::string> IniDocument::Get(std::string_view, std::string_view) const { return {}; }
bool IniDocument::Set(std::string_view, std::string_view, std::optional<std::string_view>) {
    return false;
}
std::vector<std::string> IniDocument::Keys(std::string_view) const { return {}; }
std::vector<std::string> IniDocument::Sections() const { return {}; }
std::string GetProfileString(const std::filesystem::path&, std::string_view, std::string_view,
                             std::string_view defaultValue) {
    return std::string(defaultValue);
}
bool WriteProfileString(const std::filesystem::path&, std::string_view, std::string_view,
                        std::optional<std::string_view>, int*) {
    return false;
}

}  // namespace k2k
