#include "ImportText.h"

#include "platform/Text.h"

#include <cstdio>

namespace k2k {

std::optional<std::string> ToSuiteText(std::string_view utf8, TextUse use,
                                       UnholdableCharacter& bad) {
    std::size_t offset = 0;
    auto text = Utf8ToCp1252(utf8, &offset);
    if (!text) {
        char32_t code = 0;
        const std::size_t length = DecodeUtf8(utf8, offset, code);
        bad.malformed = length == 0;
        bad.codePoint =
            length == 0 && offset < utf8.size() ? static_cast<unsigned char>(utf8[offset]) : code;
        bad.character = std::string(utf8.substr(offset, length == 0 ? 1 : length));
        return std::nullopt;
    }
    for (const char c : *text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool lineEnd = byte == '\n';
        const bool control = byte < 0x20 || byte == 0x7F;
        const bool separator = c == kFieldSeparator;
        if ((use == TextUse::Field && (control || separator)) ||
            (use == TextUse::Drawing && control && !lineEnd)) {
            bad.malformed = false;
            bad.codePoint = separator ? U'\u20AC' : byte;
            bad.character = separator ? "\xE2\x82\xAC" : std::string(1, c);
            return std::nullopt;
        }
    }
    return text;
}

std::string DescribeUnholdable(const UnholdableCharacter& bad) {
    char number[16];
    if (bad.malformed) {
        std::snprintf(number, sizeof number, "0x%02X", static_cast<unsigned>(bad.codePoint));
        return std::string("the byte ") + number + ", which is not UTF-8";
    }
    std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(bad.codePoint));
    if (bad.codePoint < 0x20 || bad.codePoint == 0x7F)
        return std::string("the control character ") + number;
    return "\"" + bad.character + "\" (" + number + ")";
}

} // namespace k2k
