#pragma once
// Keys of INI files, read and written as the platform's profile functions do: sections
// and keys are found without regard to case, values are trimmed of blanks, a write with
// no value removes the key, a write adds a missing section at the end of the file and a
// missing key at the end of its section, and every other line (comments, blank lines,
// unknown text) is kept as it stands. Every write rewrites the file atomically.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

// An INI file's lines in memory, for the reading and writing rules above.
class IniDocument final {
public:
    static IniDocument Parse(std::string_view text);
    std::string ToText() const; // lines end in CR LF

    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // Sets or (value nullopt) removes a key; answers whether the document changed.
    bool Set(std::string_view section, std::string_view key, std::optional<std::string_view> value);
    std::vector<std::string> Keys(std::string_view section) const;
    std::vector<std::string> Sections() const;

private:
    std::vector<std::string> m_lines;
};

// GetPrivateProfileString: the value, or the default when the file, the section or
// the key is missing.
std::string GetProfileString(const std::filesystem::path& file, std::string_view section,
                             std::string_view key, std::string_view defaultValue);

// WritePrivateProfileString: nullopt removes the key. False when the file cannot be
// written (errorNumber: the errno of the failure); removing a key that is not there
// succeeds without touching the file.
bool WriteProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::optional<std::string_view> value,
                        int* errorNumber = nullptr);

} // namespace k2k
