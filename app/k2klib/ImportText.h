#pragma once
// The texts of imported objects in the suite's encoding. Sources are UTF-8; the suite's
// texts are Windows-1252, single lines, and its info texts use the euro sign's byte as the
// field separator. Every text of an imported object passes through ToSuiteText, the one
// place that decides what the suite can hold.

#include <optional>
#include <string>
#include <string_view>

namespace k2k {

enum class TextUse {
    Field,   // a name or an info field: one line, no control characters, no euro sign
    Drawing, // a drawing text: statements on lines; the euro sign is an ordinary character
};

// The first character a text could not be given with: the character as the source wrote
// it, and its code point (or the byte, when the text is not UTF-8 there).
struct UnholdableCharacter {
    std::string character;
    char32_t codePoint = 0;
    bool malformed = false; // not UTF-8: codePoint is the byte
};

// The text in Windows-1252, or nullopt with the first character it cannot hold.
std::optional<std::string> ToSuiteText(std::string_view utf8, TextUse use,
                                       UnholdableCharacter& bad);

// "\"μ\" (U+03BC)"; a control character or a stray byte shows only its number.
std::string DescribeUnholdable(const UnholdableCharacter& bad);

} // namespace k2k
