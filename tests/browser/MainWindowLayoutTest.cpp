#include "browser/MainWindowLayout.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

TEST(MainWindowLayoutTest, TheWindowStartsRightOfTheHostInTheWorkArea) {
    const TwipsRect workArea{0, 300, 28800, 16000};
    EXPECT_EQ(StartPlacement(workArea, 4000), (TwipsRect{4000, 300, 7300, 4100}));
    EXPECT_EQ(StartPlacement(workArea, 14400), (TwipsRect{14400, 300, 7300, 4100}))
        << "exactly half the work area is still taken";
    EXPECT_EQ(StartPlacement(workArea, 14401), (TwipsRect{0, 300, 7300, 4100}))
        << "a host wider than half the work area is not stepped over";
    EXPECT_EQ(StartPlacement({1500, 0, 28800, 16000}, 2000).left, 3500);
}

TEST(MainWindowLayoutTest, ASmallerWindowSnapsBackToItsMinimum) {
    const TwipsSize minimum{7300, 4100};
    EXPECT_EQ(ClampToMinimum({5000, 3000}, minimum), (TwipsSize{7300, 4100}));
    EXPECT_EQ(ClampToMinimum({9000, 3000}, minimum), (TwipsSize{9000, 4100}));
    EXPECT_EQ(ClampToMinimum({9000, 5000}, minimum), (TwipsSize{9000, 5000}));
}

TEST(MainWindowLayoutTest, PanelTabsGridsAndListsShareTheWindow) {
    const MainLayout layout = LayOutMainWindow({9000, 6000, 1500, 2400, 1800, 300});
    EXPECT_EQ(layout.commandsLeft, 7500);
    EXPECT_EQ(layout.tabs, (TwipsRect{0, 60, 7500, 2400}));
    EXPECT_EQ(layout.options, (TwipsRect{60, 420, 7380, 1800}));
    EXPECT_EQ(layout.optionGrid, (TwipsRect{0, 0, 7380, 1800}));
    EXPECT_EQ(layout.results, (TwipsRect{0, 2460, 9000, 6000 - 300 - 2460}));
}

TEST(MainWindowLayoutTest, ResultListsThatWouldVanishGetSixtyTwips) {
    EXPECT_EQ(LayOutMainWindow({9000, 2760, 1500, 2400, 1800, 300}).results.height, 60)
        << "no room left at all";
    EXPECT_EQ(LayOutMainWindow({9000, 2761, 1500, 2400, 1800, 300}).results.height, 1);
}

TEST(MainWindowLayoutTest, TwipsAndPixelsConvertAtTheScreensResolution) {
    EXPECT_EQ(TwipsToPixels(7300, 96), 487);
    EXPECT_EQ(TwipsToPixels(1440, 144), 144);
    EXPECT_EQ(PixelsToTwips(96, 96), 1440);
    EXPECT_EQ(PixelsToTwips(10, 0), 0) << "a screen without a resolution gives no size";
}

} // namespace
} // namespace k2k
