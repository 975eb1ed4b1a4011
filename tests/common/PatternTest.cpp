#include "common/Pattern.h"

#include "system/Text.h"

#include <gtest/gtest.h>

#include <random>

namespace k2k {
namespace {

bool Like(std::string_view text, std::string_view pattern) {
    const auto compiled = Pattern::Compile(pattern);
    EXPECT_TRUE(compiled) << compiled.Message();
    return compiled && compiled->Matches(text);
}

TEST(PatternTest, TheWholeTextMustMatch) {
    EXPECT_FALSE(Like("SN7400N", "7400"));
    EXPECT_TRUE(Like("SN7400N", "*7400*"));
    EXPECT_TRUE(Like("7400", "7400"));
    EXPECT_TRUE(Like("", ""));
    EXPECT_FALSE(Like("A", ""));
    EXPECT_TRUE(Like("", "*"));
    EXPECT_TRUE(Like("anything at all", "**"));
    EXPECT_TRUE(Like("AB", "A*B"));
    EXPECT_FALSE(Like("ABA", "A*B"));
    EXPECT_TRUE(Like("ABAB", "A*B"));
}

TEST(PatternTest, WildcardsAndCharacterClasses) {
    EXPECT_TRUE(Like("74LS00", "74??00"));
    EXPECT_FALSE(Like("74LS0", "74??00"));
    EXPECT_TRUE(Like("R10K", "R##K"));
    EXPECT_FALSE(Like("R1AK", "R##K"));
    EXPECT_TRUE(Like("74HC00", "74[A-Z][A-Z]00"));
    EXPECT_FALSE(Like("74hc00", "74[A-Z][A-Z]00")) << "by character code, so case matters";
    EXPECT_TRUE(Like("74F00", "74[!0-9]00"));
    EXPECT_FALSE(Like("74500", "74[!0-9]00"));
    EXPECT_TRUE(Like("A-B", "A[-]B"));
    EXPECT_TRUE(Like("A-B", "A[x-]B"));
    EXPECT_TRUE(Like("A*B", "A[*]B")) << "inside brackets a star is itself";
    EXPECT_FALSE(Like("AxB", "A[*]B"));
    EXPECT_TRUE(Like("A]", "A]"));
    EXPECT_TRUE(Like("AB", "A[]B")) << "an empty list matches no character";
    EXPECT_TRUE(Like("AxB", "A[!]B"));
    EXPECT_TRUE(Like("\xC4rger", "[\xC0-\xDE]rger")) << "codes above 127 are plain bytes";
}

TEST(PatternTest, UpperCasedMatchingFoldsTheTextOnly) {
    const auto pattern = Pattern::Compile(UpperCase("sn74*"));
    ASSERT_TRUE(pattern);
    EXPECT_TRUE(pattern->MatchesUpperCased("sn7400"));
    EXPECT_FALSE(pattern->Matches("sn7400"));
    const auto accented = Pattern::Compile("*\xC9*"); // É
    EXPECT_TRUE(accented->MatchesUpperCased("caf\xE9"));
}

TEST(PatternTest, UnreadablePatternsAreRefusedWithAMessage) {
    EXPECT_EQ(Pattern::Compile("A[B-").Message(),
              "Invalid pattern \"A[B-\": the \"[\" at position 2 is never closed");
    EXPECT_EQ(Pattern::Compile("[Z-A]").Message(),
              "Invalid pattern \"[Z-A]\": the range Z-A at position 2 runs backwards");
    EXPECT_FALSE(Pattern::Compile("["));
    EXPECT_FALSE(Pattern::Compile("[!"));
}

// Exponential backtracking would not finish this within the test time-out.
TEST(PatternTest, ManyStarsAgainstALongTextFinish) {
    const auto pattern = Pattern::Compile("*A*A*A*A*A*A*A*A*B");
    const std::string text(200000, 'A');
    EXPECT_FALSE(pattern->Matches(text));
    EXPECT_TRUE(pattern->Matches(text + "B"));
    EXPECT_FALSE(pattern->MatchesUpperCased(std::string(200000, 'a') + "c"));
}

// A plain recursive matcher: slow, obviously right, for comparing on random cases.
bool Reference(std::string_view t, std::string_view p) {
    if (p.empty())
        return t.empty();
    if (p[0] == '*')
        return Reference(t, p.substr(1)) || (!t.empty() && Reference(t.substr(1), p));
    if (t.empty())
        return p[0] == '[' && p.substr(0, 2) == "[]" && Reference(t, p.substr(2));
    if (p[0] == '?')
        return Reference(t.substr(1), p.substr(1));
    if (p[0] == '#')
        return t[0] >= '0' && t[0] <= '9' && Reference(t.substr(1), p.substr(1));
    if (p[0] == '[') {
        std::size_t close = p.find(']', 1);
        std::string_view list = p.substr(1, close - 1);
        if (list.empty())
            return Reference(t, p.substr(close + 1));
        bool negate = list[0] == '!';
        if (negate)
            list.remove_prefix(1);
        bool in = false;
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (i + 2 < list.size() && list[i + 1] == '-') {
                in = in || (t[0] >= list[i] && t[0] <= list[i + 2]);
                i += 2;
            } else {
                in = in || t[0] == list[i];
            }
        }
        return in != negate && Reference(t.substr(1), p.substr(close + 1));
    }
    return t[0] == p[0] && Reference(t.substr(1), p.substr(1));
}

TEST(PatternTest, AgreesWithAPlainMatcherOnRandomCases) {
    std::mt19937 random(20261205);
    const std::string patternAlphabet = "AB1*?#";
    const std::string textAlphabet = "AB12";
    const char* sets[] = {"[AB]", "[!A]", "[0-9]", "[A-B1]"};
    for (int round = 0; round < 20000; ++round) {
        std::string pattern;
        const int length = static_cast<int>(random() % 7);
        for (int i = 0; i < length; ++i) {
            if (random() % 6 == 0)
                pattern += sets[random() % 4];
            else
                pattern += patternAlphabet[random() % patternAlphabet.size()];
        }
        std::string text;
        const int textLength = static_cast<int>(random() % 8);
        for (int i = 0; i < textLength; ++i)
            text += textAlphabet[random() % textAlphabet.size()];
        const auto compiled = Pattern::Compile(pattern);
        ASSERT_TRUE(compiled) << pattern;
        ASSERT_EQ(compiled->Matches(text), Reference(text, pattern))
            << "pattern " << pattern << " text " << text;
    }
}

TEST(PatternTest, DigitsAndWildcardsKeepsOnlyThoseCharacters) {
    EXPECT_EQ(DigitsAndWildcards("74LS00"), "7400");
    EXPECT_EQ(DigitsAndWildcards("*abc"), "*");
    EXPECT_EQ(DigitsAndWildcards("SN74?S0#"), "74?0");
    EXPECT_EQ(DigitsAndWildcards(""), "");
}

} // namespace
} // namespace k2k
