#include "platform/Locale.h"

#include <cstdlib>
#include <string>

namespace k2k {

namespace {

struct Language {
    const char* code; // ISO 639-1
    int primary;      // primary language identifier
    int codePageBit;  // bit of the ANSI code page in a font signature
};

// The ANSI code page of each language decides its bit: 0 Latin 1, 1 Central Europe,
// 2 Cyrillic, 3 Greek, 4 Turkish, 5 Hebrew, 6 Arabic, 7 Baltic, 8 Vietnamese, 16 Thai,
// 17 Japanese, 18 Simplified Chinese, 19 Korean, 20 Traditional Chinese.
constexpr Language kLanguages[] = {
    {"ar", 0x01, 6}, {"bg", 0x02, 2},  {"ca", 0x03, 0},  {"zh", 0x04, 18}, {"cs", 0x05, 1},
    {"da", 0x06, 0}, {"de", 0x07, 0},  {"el", 0x08, 3},  {"en", 0x09, 0},  {"es", 0x0A, 0},
    {"fi", 0x0B, 0}, {"fr", 0x0C, 0},  {"he", 0x0D, 5},  {"hu", 0x0E, 1},  {"is", 0x0F, 0},
    {"it", 0x10, 0}, {"ja", 0x11, 17}, {"ko", 0x12, 19}, {"nl", 0x13, 0},  {"nb", 0x14, 0},
    {"no", 0x14, 0}, {"pl", 0x15, 1},  {"pt", 0x16, 0},  {"ro", 0x18, 1},  {"ru", 0x19, 2},
    {"hr", 0x1A, 1}, {"sr", 0x1A, 2},  {"sk", 0x1B, 1},  {"sv", 0x1D, 0},  {"th", 0x1E, 16},
    {"tr", 0x1F, 4}, {"id", 0x21, 0},  {"uk", 0x22, 2},  {"sl", 0x24, 1},  {"et", 0x25, 7},
    {"lv", 0x26, 7}, {"lt", 0x27, 7},  {"vi", 0x2A, 8},
};

} // namespace

SystemLocale LocaleFromName(std::string_view name) {
    SystemLocale locale;
    if (name.empty() || name == "C" || name == "POSIX" || name.substr(0, 2) == "C.") {
        locale.codePageBits = 1u;
        return locale;
    }
    const std::string_view language = name.substr(0, name.find_first_of("_.@"));
    std::string_view country;
    if (const auto underscore = name.find('_'); underscore != std::string_view::npos)
        country = name.substr(underscore + 1, 2);
    for (const Language& entry : kLanguages) {
        if (language != entry.code)
            continue;
        int sub = 1;
        int bit = entry.codePageBit;
        if (entry.primary == 0x04) {
            // Chinese: Taiwan and Hong Kong write traditional characters (sub-language 1),
            // the mainland and Singapore simplified ones (sub-language 2).
            const bool traditional = country == "TW" || country == "HK" || country == "MO";
            sub = traditional ? 1 : 2;
            bit = traditional ? 20 : 18;
        }
        locale.languageId = entry.primary | (sub << 10);
        locale.codePageBits = 1u << bit;
        return locale;
    }
    locale.codePageBits.reset();
    return locale;
}

SystemLocale CurrentSystemLocale() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return LocaleFromName(value);
    }
    return LocaleFromName("C");
}

} // namespace k2k
