#include "common/SplitFields.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

struct SplitCase {
    const char* name;
    const char* text;
    std::vector<std::string> fields;
};

class SplitFieldsTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitFieldsTest, SplitsIntoNumberedFields) {
    const SplitCase& c = GetParam();
    std::vector<std::string> fields;
    std::vector<double> values;
    const int count = SplitFields(c.text, fields, values);
    ASSERT_EQ(count, static_cast<int>(c.fields.size()));
    EXPECT_EQ(values[0], count);
    EXPECT_EQ(fields[0], "");
    EXPECT_EQ(std::vector<std::string>(fields.begin() + 1, fields.end()), c.fields);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitFieldsTest,
    ::testing::Values(
        SplitCase{"Plain", "K2KBRWSR,MN", {"K2KBRWSR", "MN"}},
        SplitCase{"EmptyTextIsOneEmptyField", "", {""}},
        SplitCase{"TrailingCommaGivesEmptyLastField", "a,", {"a", ""}},
        SplitCase{"QuotedMiddleFieldKeepsItsComma", "a,\"b,c\",d", {"a", "b,c", "d"}},
        SplitCase{"QuotedLastFieldIsFollowedByAnEmptyOne", "*R,\"2,5\"", {"*R", "2,5", ""}},
        SplitCase{"LoneQuotedFieldIsFollowedByAnEmptyOne", "\"x\"", {"x", ""}},
        SplitCase{"CharacterAfterTheClosingQuoteIsSkipped", "\"a\"b,c", {"a", "", "c"}},
        SplitCase{"LoneQuoteAtTheEndIsText", "a,\"", {"a", "\""}},
        SplitCase{"UnclosedQuoteTakesTheRest", "a,\"b,c", {"a", "b,c"}},
        SplitCase{"EmptyFieldsCount", ",,", {"", "", ""}},
        SplitCase{
            "StatusRecord", "Library Browser,0,0,-1,0", {"Library Browser", "0", "0", "-1", "0"}}),
    [](const ::testing::TestParamInfo<SplitCase>& p) { return std::string(p.param.name); });

TEST(ValueOfTest, ReadsTheLeadingNumberWithACommaAsDecimalPoint) {
    EXPECT_DOUBLE_EQ(ValueOf("3,5"), 3.5);
    EXPECT_DOUBLE_EQ(ValueOf("2.5"), 2.5);
    EXPECT_DOUBLE_EQ(ValueOf("-12"), -12.0);
    EXPECT_DOUBLE_EQ(ValueOf("  7 apples"), 7.0);
    EXPECT_DOUBLE_EQ(ValueOf("1e3x"), 1000.0);
    EXPECT_DOUBLE_EQ(ValueOf("1,5,7"), 1.5); // only the first comma is a point
    EXPECT_EQ(ValueOf(""), 0.0);
    EXPECT_EQ(ValueOf("abc"), 0.0);
    EXPECT_EQ(ValueOf("0x1F"), 0.0);
    EXPECT_EQ(ValueOf("inf"), 0.0);
    EXPECT_EQ(ValueOf("-"), 0.0);
}

TEST(ValueOfTest, QuotedNumberWithCommaReadsAsDecimal) {
    std::vector<std::string> fields;
    std::vector<double> values;
    SplitFields("*R,Resistor,RES,STD,\"2,5\",1", fields, values);
    EXPECT_DOUBLE_EQ(values[5], 2.5);
    EXPECT_EQ(RoundedValueOf("2,5"), 2); // halves go to the even neighbour
    EXPECT_EQ(RoundedValueOf("3.5"), 4);
}

} // namespace
} // namespace k2k
