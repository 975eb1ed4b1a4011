#include "browser/ColumnWidths.h"

#include <gtest/gtest.h>

#include <numeric>

namespace k2k {
namespace {

int Sum(const std::vector<int>& widths) {
    return std::accumulate(widths.begin(), widths.end(), 0);
}

// Name, Library, a long Description and Part Type: the description gives way so that the
// part type is seen; with room to spare every column has what it wants.
TEST(ColumnWidthsTest, TheWidestColumnsGiveWaySoThatEveryColumnIsSeen) {
    const std::vector<ColumnWant> columns = {
        {120, 40, 0, true}, {150, 50, 0, false}, {700, 80, 0, false}, {180, 70, 0, false}};
    EXPECT_EQ(ShareWidth(columns, 2000), (std::vector<int>{120, 150, 700, 180}));
    const auto fitted = ShareWidth(columns, 800);
    EXPECT_EQ(fitted[0], 120) << "the name stays whole";
    EXPECT_EQ(fitted[1], 150);
    EXPECT_EQ(fitted[3], 180);
    EXPECT_EQ(fitted[2], 800 - 120 - 150 - 180) << "the description takes what is left";

    // Narrower still: the widest ones come down to one common width.
    const auto narrow = ShareWidth(columns, 600);
    EXPECT_LE(Sum(narrow), 600);
    EXPECT_EQ(narrow[2], narrow[3]);
    EXPECT_EQ(narrow[1], 150) << "a column narrower than the common width keeps its own";
    EXPECT_EQ(Sum(narrow), 600) << "the room is used";

    // Too narrow for the least widths: they stand, and the list scrolls.
    EXPECT_EQ(ShareWidth(columns, 100), (std::vector<int>{120, 50, 80, 70}));
}

TEST(ColumnWidthsTest, APersonsWidthsStayTheirs) {
    const std::vector<ColumnWant> columns = {
        {120, 40, 0, true}, {150, 50, 300, false}, {700, 80, 0, false}};
    const auto widths = ShareWidth(columns, 700);
    EXPECT_EQ(widths[1], 300) << "chosen, though wider than its contents";
    EXPECT_EQ(widths[2], 700 - 120 - 300);
    EXPECT_TRUE(ShareWidth({}, 500).empty());
}

} // namespace
} // namespace k2k
