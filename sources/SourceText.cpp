#include "sources/SourceText.h"

#include "formats/StoredTexts.h"
#include "system/Text.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>

namespace k2k {

namespace {

// Sorted by code point.
constexpr std::array kStandIns = {
    StandIn{U'\u0393', "Gamma"},  StandIn{U'\u0394', "Delta"},   StandIn{U'\u0398', "Theta"},
    StandIn{U'\u039B', "Lambda"}, StandIn{U'\u03A0', "Pi"},      StandIn{U'\u03A3', "Sigma"},
    StandIn{U'\u03A6', "Phi"},    StandIn{U'\u03A8', "Psi"},     StandIn{U'\u03A9', "Ohm"},
    StandIn{U'\u03B1', "alpha"},  StandIn{U'\u03B2', "beta"},    StandIn{U'\u03B3', "gamma"},
    StandIn{U'\u03B4', "delta"},  StandIn{U'\u03B5', "epsilon"}, StandIn{U'\u03B7', "eta"},
    StandIn{U'\u03B8', "theta"},  StandIn{U'\u03BB', "lambda"},  StandIn{U'\u03BC', "\xB5"},
    StandIn{U'\u03C0', "pi"},     StandIn{U'\u03C1', "rho"},     StandIn{U'\u03C3', "sigma"},
    StandIn{U'\u03C4', "tau"},    StandIn{U'\u03C6', "phi"},     StandIn{U'\u03C9', "omega"},
    StandIn{U'\u03D5', "phi"},    StandIn{U'\u2002', " "},       StandIn{U'\u2003', " "},
    StandIn{U'\u2009', " "},      StandIn{U'\u200A', " "},       StandIn{U'\u200B', ""},
    StandIn{U'\u2010', "-"},      StandIn{U'\u2011', "-"},       StandIn{U'\u2012', "-"},
    StandIn{U'\u2015', "-"},      StandIn{U'\u202F', " "},       StandIn{U'\u2032', "'"},
    StandIn{U'\u2033', "\""},     StandIn{U'\u2126', "Ohm"},     StandIn{U'\u2190', "<-"},
    StandIn{U'\u2192', "->"},     StandIn{U'\u2194', "<->"},     StandIn{U'\u2212', "-"},
    StandIn{U'\u221A', "sqrt"},   StandIn{U'\u221E', "inf"},     StandIn{U'\u2248', "~"},
    StandIn{U'\u2260', "!="},     StandIn{U'\u2264', "<="},      StandIn{U'\u2265', ">="},
    StandIn{U'\uFE63', "-"},      StandIn{U'\uFF0D', "-"},
};

const StandIn* StandInOf(char32_t codePoint) noexcept {
    const auto at = std::lower_bound(
        kStandIns.begin(), kStandIns.end(), codePoint,
        [](const StandIn& entry, char32_t code) { return entry.codePoint < code; });
    return at != kStandIns.end() && at->codePoint == codePoint ? &*at : nullptr;
}

void Count(std::vector<Replacement>& replaced, char32_t codePoint) {
    for (Replacement& r : replaced) {
        if (r.codePoint == codePoint) {
            ++r.count;
            return;
        }
    }
    replaced.push_back({codePoint, 1});
}

// Whether a byte of the converted text may stand in a text of the use.
bool Holds(TextUse use, unsigned char byte) noexcept {
    const bool control = byte < 0x20 || byte == 0x7F;
    switch (use) {
    case TextUse::Name:
    case TextUse::Field:
        return !control && byte != static_cast<unsigned char>(kFieldSeparator);
    case TextUse::Drawing:
        return !control || byte == '\n';
    case TextUse::DrawingSource:
        break;
    }
    return !control || byte == '\n' || byte == '\r' || byte == '\t';
}

// "U+03BC".
std::string CodePointName(char32_t codePoint) {
    char number[16];
    std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(codePoint));
    return number;
}

} // namespace

std::size_t LengthLimit(TextUse use) noexcept {
    switch (use) {
    case TextUse::Name:
        return kMaxNameLength;
    case TextUse::Field:
        return kMaxInfoLength;
    case TextUse::Drawing:
    case TextUse::DrawingSource:
        break;
    }
    return std::numeric_limits<std::size_t>::max();
}

std::span<const StandIn> StandInTable() noexcept {
    return kStandIns;
}

std::optional<std::string> ToSuiteText(std::string_view utf8, TextUse use, UnholdableCharacter& bad,
                                       std::vector<Replacement>* replaced) {
    std::string text;
    text.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t code = 0;
        const std::size_t length = DecodeUtf8(utf8, i, code);
        const auto byte = length > 0 ? Cp1252Byte(code) : std::nullopt;
        if (byte && Holds(use, static_cast<unsigned char>(*byte))) {
            text += *byte;
        } else if (const StandIn* standIn = !byte && replaced ? StandInOf(code) : nullptr;
                   length > 0 && standIn) {
            text += standIn->text;
            Count(*replaced, code);
        } else {
            bad.malformed = length == 0;
            bad.codePoint = length == 0 ? static_cast<unsigned char>(utf8[i]) : code;
            bad.character = std::string(utf8.substr(i, length == 0 ? 1 : length));
            bad.offset = i;
            return std::nullopt;
        }
        i += length;
    }
    return text;
}

std::string ShortenedLine(std::string line, std::size_t limit) {
    if (line.size() <= limit)
        return line;
    const auto startsCharacter = [&line](std::size_t at) {
        return (static_cast<unsigned char>(line[at]) & 0xC0) != 0x80;
    };
    std::size_t head = limit / 2;
    while (head > 0 && !startsCharacter(head))
        --head;
    std::size_t tail = line.size() - limit / 2;
    while (tail < line.size() && !startsCharacter(tail))
        ++tail;
    return line.substr(0, head) + "[... " + std::to_string(tail - head) + " bytes ...]" +
           line.substr(tail);
}

std::string DescribeUnholdable(const UnholdableCharacter& bad) {
    if (bad.malformed) {
        char byte[8];
        std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned>(bad.codePoint));
        return std::string("the byte ") + byte + ", which is not UTF-8";
    }
    const std::string number = CodePointName(bad.codePoint);
    if (bad.codePoint < 0x20 || bad.codePoint == 0x7F)
        return "the control character " + number;
    if (bad.codePoint == U'\u20AC')
        return "the euro sign, which separates the fields of info texts";
    return "the character \"" + bad.character + "\" (" + number +
           "), which Windows-1252 cannot hold";
}

std::string DescribeReplacement(const Replacement& replacement) {
    std::string character;
    AppendUtf8(character, replacement.codePoint);
    const StandIn* standIn = StandInOf(replacement.codePoint);
    std::string text = "\"" + character + "\" (" + CodePointName(replacement.codePoint) +
                       ") by \"" + Cp1252ToUtf8(standIn ? standIn->text : std::string_view()) +
                       "\"";
    if (replacement.count == 2)
        text += " twice";
    else if (replacement.count > 2)
        text += " " + std::to_string(replacement.count) + " times";
    return text;
}

} // namespace k2k
