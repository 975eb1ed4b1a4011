#pragma once
// The system locale in the suite's terms: a Windows language identifier and the
// code-page bits of the locale's font signature, read from the POSIX locale variables
// (LC_ALL, then LC_CTYPE, then LANG; "ko_KR.UTF-8" is Korean, Korea).

#include <cstdint>
#include <optional>
#include <string_view>

namespace k2k {

struct SystemLocale {
    int languageId = 0x0409;                   // English (United States)
    std::optional<std::uint32_t> codePageBits; // nullopt for an unknown language
};

// From a locale name such as "de_DE.UTF-8", "zh_TW", "C" or "".
SystemLocale LocaleFromName(std::string_view name);
// From the environment of this process.
SystemLocale CurrentSystemLocale();

} // namespace k2k
