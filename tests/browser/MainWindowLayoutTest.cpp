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

TEST(MainWindowLayoutTest, PanelTabsAndGridsShareTheSearchPane) {
    const MainLayout layout = LayOutMainWindow({9000, 2460, 1500});
    EXPECT_EQ(layout.commandsLeft, 7500);
    EXPECT_EQ(layout.commands, (TwipsRect{7500, 60, 1500, 2400}));
    EXPECT_EQ(layout.tabs, (TwipsRect{0, 60, 7500, 2400}));
    EXPECT_EQ(layout.options, (TwipsRect{60, 420, 7380, 1920}));
    EXPECT_EQ(layout.optionGrid, (TwipsRect{0, 0, 7380, 1920}));
    EXPECT_EQ(SearchPaneHeightFor(1920), 2460) << "a grid of that height shows whole";

    const MainLayout flat = LayOutMainWindow({9000, 300, 1500});
    EXPECT_EQ(flat.tabs.height, 240);
    EXPECT_EQ(flat.options.height, 0) << "a pane dragged flat gives no negative heights";
}

TEST(MainWindowLayoutTest, TwipsAndPixelsConvertAtTheScreensResolution) {
    EXPECT_EQ(TwipsToPixels(7300, 96), 487);
    EXPECT_EQ(TwipsToPixels(1440, 144), 144);
    EXPECT_EQ(PixelsToTwips(96, 96), 1440);
    EXPECT_EQ(PixelsToTwips(10, 0), 0) << "a screen without a resolution gives no size";
}

} // namespace
} // namespace k2k
