#pragma once
// The font every window of the browser uses, chosen from the user's language: the
// East-Asian languages get their own face at 9 points with their character set, every
// other language the first installed of "MS Sans Serif", "Arial" and "System" at 8 points
// with the character set of the locale's code pages. The window layer asks the system
// (installed faces, fallback faces, locale) and applies the choice; the choice is here.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace k2k {

struct FontChoice {
    std::string name; // UTF-8 face name
    int size = 8;     // points
    int charset = 0;  // Windows character-set code
};

struct FontEnvironment {
    // The language identifier of the system default locale (low 16 bits of its LCID).
    int languageId = 0x0409;
    // Whether a font created with this face reports the same face back.
    std::function<bool(std::string_view face)> isInstalled;
    std::optional<std::string> iconTitleFace;  // the system's icon-title font, if known
    std::optional<std::string> defaultGuiFace; // the stock default GUI font, if known
    // The code-page bits of the user default locale's font signature; nullopt when the
    // system cannot tell.
    std::optional<std::uint32_t> codePageBits;
};

// previous: the font the window had, kept where a language keeps it.
FontChoice ChooseFont(const FontEnvironment& environment, const FontChoice& previous);

// The character set of the lowest code page set in a font signature's code-page bits
// (1252 ANSI 0, 1250 238, 1251 204, ... 932 128, 936 134, 949 129, 950 136); 0 for none.
int CharsetFromCodePageBits(std::uint32_t bits) noexcept;

} // namespace k2k
