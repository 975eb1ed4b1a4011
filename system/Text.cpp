#include "system/Text.h"

#include <array>
#include <charconv>
#include <cstring>
#include <limits>

namespace k2k {

namespace {

constexpr std::array<std::uint8_t, 256> MakeUpperTable() {
    std::array<std::uint8_t, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[i] = static_cast<std::uint8_t>(i);
    for (int c = 'a'; c <= 'z'; ++c)
        table[c] = static_cast<std::uint8_t>(c - 'a' + 'A');
    // à..þ to À..Þ, except the division sign ÷ (0xF7).
    for (int c = 0xE0; c <= 0xFE; ++c)
        if (c != 0xF7)
            table[c] = static_cast<std::uint8_t>(c - 0x20);
    table[0x9A] = 0x8A; // š Š
    table[0x9C] = 0x8C; // œ Œ
    table[0x9E] = 0x8E; // ž Ž
    table[0xFF] = 0x9F; // ÿ Ÿ
    return table;
}

constexpr std::array<std::uint8_t, 256> kUpper = MakeUpperTable();

// Code points of 0x80..0x9F; 0 marks the five undefined bytes.
constexpr std::array<char16_t, 32> kHighCodes = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t CodePointOf(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0 && kHighCodes[byte - 0x80] != 0)
        return kHighCodes[byte - 0x80];
    return byte;
}

} // namespace

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::optional<char> Cp1252Byte(char32_t cp) noexcept {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHighCodes.size(); ++i) {
        if (kHighCodes[i] == cp)
            return static_cast<char>(0x80 + i);
        if (kHighCodes[i] == 0 && cp == 0x80 + i)
            return static_cast<char>(cp);
    }
    return std::nullopt;
}

char UpperChar(char c) noexcept {
    return static_cast<char>(kUpper[static_cast<unsigned char>(c)]);
}

const std::uint8_t* UpperTable() noexcept {
    return kUpper.data();
}

std::string UpperCase(std::string_view text) {
    std::string out(text);
    UpperCaseInPlace(out);
    return out;
}

void UpperCaseInPlace(std::string& text) noexcept {
    for (char& c : text)
        c = UpperChar(c);
}

bool EqualsNoCase(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperChar(a[i]) != UpperChar(b[i]))
            return false;
    return true;
}

std::string_view TrimLeft(std::string_view text) noexcept {
    std::size_t start = 0;
    while (start < text.size() && text[start] == ' ')
        ++start;
    return text.substr(start);
}

std::string_view TrimRight(std::string_view text) noexcept {
    std::size_t end = text.size();
    while (end > 0 && text[end - 1] == ' ')
        --end;
    return text.substr(0, end);
}

std::string_view Trim(std::string_view text) noexcept {
    return TrimRight(TrimLeft(text));
}

std::size_t CountLineEnds(std::string_view text) noexcept {
    std::size_t ends = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++ends;
    return ends;
}

std::vector<std::string_view> SplitAt(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (;;) {
        std::size_t at = text.find(separator, start);
        if (at == std::string_view::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, at - start));
        start = at + 1;
    }
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    AppendCp1252AsUtf8(out, bytes);
    return out;
}

void AppendCp1252AsUtf8(std::string& out, std::string_view bytes) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        // Eight plain ASCII bytes at a time: most suite texts hold nothing else.
        while (i + 8 <= bytes.size()) {
            std::uint64_t word;
            std::memcpy(&word, bytes.data() + i, sizeof word);
            if (word & 0x8080808080808080ull)
                break;
            i += 8;
        }
        if (i >= bytes.size())
            break;
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80)
            continue;
        out.append(bytes.substr(start, i - start));
        AppendUtf8(out, CodePointOf(c));
        start = i + 1;
    }
    out.append(bytes.substr(start));
}

std::size_t DecodeUtf8(std::string_view text, std::size_t offset, char32_t& codePoint) noexcept {
    if (offset >= text.size())
        return 0;
    const auto lead = static_cast<unsigned char>(text[offset]);
    std::size_t length = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        cp = lead & 0x1F;
        length = 2;
    } else if ((lead & 0xF0) == 0xE0) {
        cp = lead & 0x0F;
        length = 3;
    } else if ((lead & 0xF8) == 0xF0) {
        cp = lead & 0x07;
        length = 4;
    } else {
        return 0;
    }
    if (length > text.size() - offset)
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[offset + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (next & 0x3F);
    }
    // The shortest form only (C1 81 is not "A"), no surrogate halves, nothing past U+10FFFF.
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kLeast[length] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
        return 0;
    codePoint = cp;
    return length;
}

std::optional<std::string> Utf8ToCp1252(std::string_view utf8, std::size_t* badOffset) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        const std::size_t length = DecodeUtf8(utf8, i, cp);
        const auto byte = length ? Cp1252Byte(cp) : std::nullopt;
        if (!byte) {
            if (badOffset)
                *badOffset = i;
            return std::nullopt;
        }
        out += *byte;
        i += length;
    }
    return out;
}

std::string EscapeControls(std::string_view utf8, bool keepLayout) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte >= 0x20 && byte < 0x7F) {
            out += static_cast<char>(byte);
            ++i;
            continue;
        }
        char32_t cp = 0;
        const std::size_t length = DecodeUtf8(utf8, i, cp);
        if (length > 1 && cp > 0x9F) {
            out.append(utf8.substr(i, length));
        } else if (length == 1 && keepLayout && (byte == '\n' || byte == '\t')) {
            out += static_cast<char>(byte);
        } else if (length == 2) { // a C1 control
            out.append("\\u00").append(1, kHex[cp >> 4]).append(1, kHex[cp & 0xF]);
        } else { // a C0 control, DEL, or a byte that is not UTF-8
            out.append("\\x").append(1, kHex[byte >> 4]).append(1, kHex[byte & 0xF]);
        }
        i += length == 0 ? 1 : length;
    }
    return out;
}

double LeadingNumber(std::string_view text) noexcept {
    text = TrimLeft(text);
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    auto isDigit = [&](std::size_t i) {
        return i < text.size() && text[i] >= '0' && text[i] <= '9';
    };

    // The extent of the number, and a rough decimal magnitude for out-of-range values.
    const std::size_t start = at;
    std::size_t digits = 0;
    long long magnitude = 0;
    bool significant = false;
    for (; isDigit(at); ++at, ++digits) {
        significant = significant || text[at] != '0';
        if (significant)
            ++magnitude;
    }
    if (at < text.size() && text[at] == '.') {
        ++at;
        for (; isDigit(at); ++at, ++digits) {
            if (!significant && text[at] == '0')
                --magnitude;
            significant = significant || text[at] != '0';
        }
    }
    if (digits == 0)
        return 0.0;
    std::size_t end = at;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t e = at + 1;
        bool negativeExponent = false;
        if (e < text.size() && (text[e] == '+' || text[e] == '-')) {
            negativeExponent = text[e] == '-';
            ++e;
        }
        if (isDigit(e)) {
            long long exponent = 0;
            for (; isDigit(e); ++e)
                if (exponent < 100000)
                    exponent = exponent * 10 + (text[e] - '0');
            magnitude += negativeExponent ? -exponent : exponent;
            end = e;
        }
    }

    double value = 0.0;
    const char* first = text.data() + start;
    const char* last = text.data() + end;
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range)
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    else if (result.ec != std::errc())
        value = 0.0;
    return negative ? -value : value;
}

std::string DecimalText(long long value) {
    return std::to_string(value);
}

} // namespace k2k
