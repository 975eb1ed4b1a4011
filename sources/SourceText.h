#pragma once
// The texts of built and imported objects in the suite's encoding. Sources are UTF-8; the
// suite's texts are Windows-1252, single lines, and its info texts use the euro sign's
// byte as the field separator. Every text of a built or imported object passes through
// ToSuiteText, the one place that decides which characters the suite can hold; how long a
// name or an info text may be is the rule of formats/StoredTexts.h.
//
// On request a character Windows-1252 lacks is replaced by its stand-in from a fixed
// table: the Greek mu by the micro sign it looks like, the ohm sign by "Ohm", the minus
// sign and the hyphens Windows-1252 lacks by "-", a few other Greek letters and signs by
// their names ("Delta", "pi", "sqrt"), thin spaces by a blank. A character the table does
// not know is still refused.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace k2k {

enum class TextUse {
    Name,          // a name: a field of at most kMaxNameLength bytes
    Field,         // an info field: one line, no control characters, no euro sign, and no
                   // longer than an info text (kMaxInfoLength bytes)
    Drawing,       // a drawing text made here: statements on lines; the euro sign is a
                   // character like any other
    DrawingSource, // a drawing as a person writes it: also tabs and carriage returns
};

// The first character a text could not be given with: the character as the source wrote
// it, its code point (or the byte, when the text is not UTF-8 there) and where it starts.
struct UnholdableCharacter {
    std::string character;
    char32_t codePoint = 0;
    bool malformed = false; // not UTF-8: codePoint is the byte
    std::size_t offset = 0; // in the UTF-8 text
};

// What a conversion may do with a character Windows-1252 lacks.
struct TextOptions {
    bool replaceCharacters = false; // by its stand-in from the table, each one listed
};

// An entry of the replacement table: a character and its stand-in, in Windows-1252.
struct StandIn {
    char32_t codePoint;
    std::string_view text;
};

// The table, by code point.
std::span<const StandIn> StandInTable() noexcept;

// A character the table replaced in a text, and how many times.
struct Replacement {
    char32_t codePoint = 0;
    std::size_t count = 0;
};

// The text in Windows-1252, or nullopt with the first character it cannot hold. With
// replaced, the table's characters are replaced and each one is added to replaced.
std::optional<std::string> ToSuiteText(std::string_view utf8, TextUse use, UnholdableCharacter& bad,
                                       std::vector<Replacement>* replaced = nullptr);

// The longest text of the use the suite holds, in Windows-1252 bytes (no limit for drawings).
std::size_t LengthLimit(TextUse use) noexcept;

// A line of a report or a message, UTF-8, as it is shown: a line longer than limit (one
// naming an object of a name of megabytes) keeps its start and its end, whole characters,
// around "[... N bytes ...]".
inline constexpr std::size_t kLongestShownLine = 400;
std::string ShortenedLine(std::string line, std::size_t limit = kLongestShownLine);

// "the character \"μ\" (U+03BC), which Windows-1252 cannot hold", "the control character
// U+0009", "the byte 0xFF, which is not UTF-8", or why the euro sign is refused.
std::string DescribeUnholdable(const UnholdableCharacter& bad);

// "\"μ\" (U+03BC) by \"µ\"", "\"Ω\" (U+03A9) by \"Ohm\" twice".
std::string DescribeReplacement(const Replacement& replacement);

} // namespace k2k
