#include "system/Text.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

TEST(TextTest, UpperCaseFollowsWindows1252) {
    EXPECT_EQ(UpperCase("sn74ls00n"), "SN74LS00N");
    // à é ÿ š œ ž and the division sign, which has no upper case.
    EXPECT_EQ(UpperCase("\xE0\xE9\xFF\x9A\x9C\x9E\xF7\xDF"), "\xC0\xC9\x9F\x8A\x8C\x8E\xF7\xDF");
    EXPECT_TRUE(EqualsNoCase("Ttl.Part", "TTL.PART"));
    EXPECT_FALSE(EqualsNoCase("TTL.PART", "TTL.PAR"));
}

TEST(TextTest, TrimRemovesBlanksButKeepsTabs) {
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(Trim("\ta\t"), "\ta\t");
    EXPECT_EQ(Trim("    "), "");
}

// For a terminal: C0, DEL, C1 and bytes that are not UTF-8 escaped, every other character
// kept; line feeds and TABs only when the layout is kept.
TEST(TextTest, EscapeControlsLeavesNoControlForATerminal) {
    using namespace std::string_view_literals;
    EXPECT_EQ(EscapeControls("a\x1b[2Jb\x07\x7f\x00"sv), "a\\x1B[2Jb\\x07\\x7F\\x00");
    EXPECT_EQ(EscapeControls("\xc2\x9b\xc2\x80\xc2\xa0\xce\xbc\xf0\x9f\x98\x80"),
              "\\u009B\\u0080\xc2\xa0\xce\xbc\xf0\x9f\x98\x80");
    EXPECT_EQ(EscapeControls("\xff\xc2 \xe2\x82"), "\\xFF\\xC2 \\xE2\\x82");
    EXPECT_EQ(EscapeControls("a\tb\r\nc"), "a\\x09b\\x0D\\x0Ac");
    EXPECT_EQ(EscapeControls("a\tb\r\nc", true), "a\tb\\x0D\nc");
}

TEST(TextTest, SplitKeepsEmptyPieces) {
    const auto pieces = SplitAt("a,,b,", ',');
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[1], "");
    EXPECT_EQ(pieces[3], "");
    EXPECT_EQ(SplitAt("", ',').size(), 1u);
}

TEST(TextTest, Windows1252RoundTripsThroughUtf8) {
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += static_cast<char>(c);
    const auto back = Utf8ToCp1252(Cp1252ToUtf8(all));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC"); // the euro sign
}

TEST(TextTest, Utf8OutsideWindows1252IsRefusedWithItsOffset) {
    std::size_t at = 0;
    EXPECT_FALSE(Utf8ToCp1252("ab\xCE\xA9", &at)); // Greek capital omega
    EXPECT_EQ(at, 2u);
    EXPECT_FALSE(Utf8ToCp1252("x\xC3", &at)); // cut off in the middle
    EXPECT_EQ(at, 1u);
    EXPECT_FALSE(Utf8ToCp1252("\xFF", &at));
}

TEST(TextTest, OnlyTheShortestFormOfAScalarValueIsUtf8) {
    const char* malformed[] = {
        "\xC1\x81",         // "A" in two bytes
        "\xC0\x80",         // NUL in two bytes
        "\xE0\x81\x81",     // "A" in three bytes
        "\xE0\x9F\xBF",     // U+07FF in three bytes
        "\xF0\x80\x81\x81", // "A" in four bytes
        "\xF0\x8F\xBF\xBF", // U+FFFF in four bytes
        "\xED\xA0\x80",     // a high surrogate half
        "\xED\xBF\xBF",     // a low surrogate half
        "\xF4\x90\x80\x80", // past U+10FFFF
        "\xF7\xBF\xBF\xBF",
    };
    for (const char* bytes : malformed) {
        std::size_t at = 99;
        char32_t cp = 0;
        const std::string text = std::string("ok") + bytes;
        EXPECT_FALSE(Utf8ToCp1252(text, &at)) << text;
        EXPECT_EQ(at, 2u) << text;
        EXPECT_EQ(DecodeUtf8(text, 2, cp), 0u) << text;
    }
    // The boundaries themselves are characters (though not all of Windows-1252).
    char32_t cp = 0;
    EXPECT_EQ(DecodeUtf8("\xC2\x80", 0, cp), 2u);
    EXPECT_EQ(DecodeUtf8("\xE0\xA0\x80", 0, cp), 3u);
    EXPECT_EQ(cp, 0x800u);
    EXPECT_EQ(DecodeUtf8("\xEE\x80\x80", 0, cp), 3u);
    EXPECT_EQ(DecodeUtf8("\xF4\x8F\xBF\xBF", 0, cp), 4u);
    EXPECT_EQ(cp, 0x10FFFFu);
}

} // namespace
} // namespace k2k
