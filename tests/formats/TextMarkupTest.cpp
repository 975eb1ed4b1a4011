#include "formats/TextMarkup.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

TEST(TextMarkupTest, MarkedRunsCarryTheBarAndThePlainTextLosesTheMarkup) {
    using Runs = std::vector<TextRun>;
    EXPECT_EQ(MarkupRuns("~{RESET}"), (Runs{{"RESET", true}}));
    EXPECT_EQ(MarkupRuns("~{Q}"), (Runs{{"Q", true}}));
    EXPECT_EQ(MarkupRuns("~{CS}/A0"), (Runs{{"CS", true}, {"/A0", false}}));
    EXPECT_EQ(MarkupRuns("B/~{A}"), (Runs{{"B/", false}, {"A", true}}));
    EXPECT_EQ(MarkupRuns("~{WR}~{RD}"), (Runs{{"WR", true}, {"RD", true}}))
        << "two signals keep two bars";
    EXPECT_EQ(MarkupRuns("VCC"), (Runs{{"VCC", false}}));
    EXPECT_TRUE(MarkupRuns("").empty());
    EXPECT_EQ(MarkupRuns("x~{}y"), (Runs{{"xy", false}})) << "an empty run shows nothing";

    EXPECT_EQ(PlainText("~{CS}/A0"), "CS/A0");
    EXPECT_EQ(PlainText("~{WR}~{RD}"), "WRRD");
    EXPECT_EQ(PlainText("D7"), "D7");
}

TEST(TextMarkupTest, MarkupThatIsNotClosedIsShownAsItStands) {
    using Runs = std::vector<TextRun>;
    for (const char* text : {"~{A", "~", "~RESET", "A~B", "}", "{A}", "~ {A}"}) {
        EXPECT_EQ(MarkupRuns(text), (Runs{{text, false}})) << text;
        EXPECT_EQ(PlainText(text), text);
    }
    EXPECT_EQ(MarkupRuns("~{A}~{B"), (Runs{{"A", true}, {"~{B", false}}))
        << "a closed run before an open one";
    EXPECT_EQ(MarkupRuns("~{A~{B}}"), (Runs{{"A~{B", true}, {"}", false}})) << "no nesting";
}

} // namespace
} // namespace k2k
