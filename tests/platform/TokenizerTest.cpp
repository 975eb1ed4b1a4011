#include "platform/Tokenizer.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace k2k {
namespace {

TEST(LeadingNumberTest, TakesTheNumberAtTheStartAndIgnoresTheRest) {
    EXPECT_EQ(LeadingNumber("  -1.5e3xyz"), -1500.0);
    EXPECT_EQ(LeadingNumber("+7,Usr"), 7.0);
    EXPECT_EQ(LeadingNumber(".5"), 0.5);
    EXPECT_EQ(LeadingNumber("5."), 5.0);
    EXPECT_EQ(LeadingNumber("4e+x"), 4.0); // an "e" that starts no exponent
    for (const char* text : {"", "   ", "abc", "-", "+.", "- 5", "e5", "[PartType]"})
        EXPECT_EQ(LeadingNumber(text), 0.0) << '"' << text << '"';
    EXPECT_EQ(LeadingNumber("-1e999"), -HUGE_VAL);
    EXPECT_EQ(LeadingNumber(std::string(400, '9')), HUGE_VAL);
    EXPECT_EQ(LeadingNumber("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(TokenizerTest, EverySeparatorEndsAPiece) {
    Tokenizer pieces(" 2,Usr,,4,", ',');
    ASSERT_EQ(pieces.Count(), 5);
    EXPECT_EQ(pieces.Piece(2), "Usr");
    EXPECT_EQ(pieces.Piece(3), "");
    EXPECT_EQ(pieces.Piece(5), "");
    EXPECT_EQ(pieces.Piece(0), "");
    EXPECT_EQ(pieces.Piece(6), "");
    EXPECT_EQ(pieces.Number(1), 2.0);
    EXPECT_EQ(pieces.Number(2), 0.0);
    EXPECT_EQ(pieces.Number(4), 4.0);

    // The info-text separator is a byte above 0x7F.
    pieces.Split("DIP14\x80"
                 "74\xE9\x80"
                 "2.5mm",
                 kFieldSeparator);
    ASSERT_EQ(pieces.Count(), 3);
    EXPECT_EQ(pieces.Piece(2), "74\xE9");
    EXPECT_EQ(pieces.Number(3), 2.5);
    pieces.Split("", ',');
    EXPECT_EQ(pieces.Count(), 1);
}

TEST(TokenizerTest, ACopyKeepsItsPiecesWhenTheOriginalSplitsAgain) {
    Tokenizer original("one;two", ';');
    const Tokenizer copy = original;
    original.Split("three", ';');
    EXPECT_EQ(copy.Piece(2), "two");
    EXPECT_EQ(original.Piece(1), "three");
}

} // namespace
} // namespace k2k
