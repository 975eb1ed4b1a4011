#include "platform/ui/SuiteText.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

// A typed text goes into the suite's files as Windows-1252 and comes back unchanged; one
// that Windows-1252 cannot hold is refused rather than stored changed.
TEST(SuiteTextTest, TypedTextsRoundTripOrAreRefused) {
    const QString typed = QString::fromUtf8("Bücher €5");
    const auto suite = ToSuiteText(typed);
    ASSERT_TRUE(suite);
    EXPECT_EQ(*suite, "B\xFC"
                      "cher \x80"
                      "5");
    EXPECT_EQ(FromSuiteText(*suite), typed);
    EXPECT_FALSE(ToSuiteText(QString::fromUtf8("Юрий")));
}

} // namespace
} // namespace k2k
