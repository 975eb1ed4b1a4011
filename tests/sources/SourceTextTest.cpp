#include "sources/SourceText.h"

#include "system/Text.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

// What a name or info field may hold differs from a drawing: the info texts' field
// separator and line ends belong only to drawings.
TEST(SourceTextTest, FieldsAndDrawingsHoldWhatTheSuiteCanHold) {
    struct Case {
        const char* name;
        std::string utf8;
        TextUse use;
        std::optional<std::string> suite; // nullopt: refused
        std::string described;
    };
    const std::vector<Case> cases = {
        {"latin", "Résistance 10 µA ±5%", TextUse::Field, "R\xE9sistance 10 \xB5\x41 \xB1\x35%",
         ""},
        {"greek mu", "1 μA", TextUse::Field, std::nullopt,
         "the character \"μ\" (U+03BC), which Windows-1252 cannot hold"},
        {"euro in a field", "5 €", TextUse::Field, std::nullopt,
         "the euro sign, which separates the fields of info texts"},
        {"euro in a drawing", "TEXT 0 0 50 5 €", TextUse::Drawing, "TEXT 0 0 50 5 \x80", ""},
        {"line end in a field", "a\nb", TextUse::Field, std::nullopt,
         "the control character U+000A"},
        {"line end in a drawing", "a\nb", TextUse::Drawing, "a\nb", ""},
        {"tab in a drawing", "a\tb", TextUse::Drawing, std::nullopt,
         "the control character U+0009"},
        {"tab in a drawing source", "a\tb\r\n", TextUse::DrawingSource, "a\tb\r\n", ""},
        {"bell in a drawing source", "a\ab", TextUse::DrawingSource, std::nullopt,
         "the control character U+0007"},
        {"not UTF-8", "a\xFF", TextUse::Field, std::nullopt, "the byte 0xFF, which is not UTF-8"},
    };
    for (const Case& c : cases) {
        UnholdableCharacter bad;
        const auto suite = ToSuiteText(c.utf8, c.use, bad);
        EXPECT_EQ(suite, c.suite) << c.name;
        if (!c.suite) {
            EXPECT_EQ(DescribeUnholdable(bad), c.described) << c.name;
        }
    }
}

// The table is what the docs list; spot-check the entries real libraries need, and that
// the table is sorted (it is searched by halves) and holds only what the suite can hold.
TEST(SourceTextTest, TheReplacementTableGivesStandInsTheSuiteCanHold) {
    const auto table = StandInTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (i > 0) {
            EXPECT_LT(table[i - 1].codePoint, table[i].codePoint);
        }
        std::string utf8;
        AppendUtf8(utf8, table[i].codePoint);
        UnholdableCharacter bad;
        EXPECT_FALSE(ToSuiteText(utf8, TextUse::Field, bad)) << "needs no stand-in: " << utf8;
        std::vector<Replacement> replaced;
        EXPECT_EQ(ToSuiteText(utf8, TextUse::Field, bad, &replaced), std::string(table[i].text));
        EXPECT_FALSE(ToSuiteText(Cp1252ToUtf8(table[i].text), TextUse::Field, bad, nullptr) ==
                     std::nullopt);
    }
    std::vector<Replacement> replaced;
    UnholdableCharacter bad;
    EXPECT_EQ(ToSuiteText("10 k\u03A9 ±1 % \u221240…85 °C, \u0394 2 \u03BCV \u2011 3 \u2126",
                          TextUse::Field, bad, &replaced),
              "10 kOhm \xB1"
              "1 % -40\x85"
              "85 \xB0"
              "C, Delta 2 \xB5V - 3 Ohm");
    EXPECT_EQ(DescribeReplacement(replaced[0]), "\"Ω\" (U+03A9) by \"Ohm\"");
    EXPECT_EQ(DescribeReplacement(replaced[1]), "\"−\" (U+2212) by \"-\"");
    EXPECT_EQ(DescribeReplacement(replaced[2]), "\"Δ\" (U+0394) by \"Delta\"");
    EXPECT_EQ(DescribeReplacement(replaced[3]), "\"μ\" (U+03BC) by \"µ\"");
    EXPECT_EQ(DescribeReplacement(replaced[4]), "\"‑\" (U+2011) by \"-\"");
    ASSERT_EQ(replaced.size(), 6u); // U+03A9 and U+2126 are two characters
    EXPECT_EQ(DescribeReplacement(replaced[5]), "\"\u2126\" (U+2126) by \"Ohm\"");
    // A character outside the table is still refused, and so is a stray byte.
    EXPECT_FALSE(ToSuiteText("✓", TextUse::Field, bad, &replaced));
    EXPECT_EQ(bad.codePoint, U'\u2713');
    EXPECT_FALSE(ToSuiteText("a\xFF", TextUse::Field, bad, &replaced));
    EXPECT_EQ(bad.offset, 1u);
}

} // namespace
} // namespace k2k
