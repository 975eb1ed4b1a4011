#include "services/WindowPlacement.h"

#include "common/BrowserUserSettings.h"
#include "platform/UserSettings.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

constexpr FrameExtra kFrame{2, 24};
constexpr ScreenRect kScreen{0, 0, 1500, 950};

TEST(WindowPlacementTest, TheFirstStartIsCentredWithItsTitleBarInTheWorkArea) {
    const WindowPlace place = FirstStartPlace(kScreen, 900, 700, kFrame, 487, 273);
    EXPECT_EQ(place, (WindowPlace{299, 113, 900, 700, false}));

    const WindowPlace tall = FirstStartPlace({0, 30, 1500, 700}, 900, 1200, kFrame, 487, 273);
    EXPECT_EQ(tall.height, 700 - 24) << "a window taller than the work area is cut to it";
    EXPECT_EQ(tall.top, 30) << "with the frame's top at the work area's";

    const WindowPlace tiny = FirstStartPlace({0, 0, 400, 200}, 900, 700, kFrame, 487, 273);
    EXPECT_EQ(tiny.width, 487) << "never below the minimum";
    EXPECT_EQ(tiny.height, 273);
    EXPECT_EQ(tiny.left, 0) << "the title bar's left end stays on the screen";
    EXPECT_EQ(tiny.top, 0);
}

TEST(WindowPlacementTest, TheFirstStartOpensBesideTheMainWindowWhereThereIsRoom) {
    // The main application's window takes 500 pixels at the left of a 1500-pixel work area.
    const WindowPlace beside = FirstStartPlace(kScreen, 900, 700, kFrame, 487, 273, 500);
    EXPECT_EQ(beside.left, 500);
    EXPECT_EQ(beside.width, 900);
    const WindowPlace narrow = FirstStartPlace(kScreen, 1200, 700, kFrame, 487, 273, 500);
    EXPECT_EQ(narrow.left + narrow.width + kFrame.width, kScreen.left + kScreen.width)
        << "without room for both it keeps to the right, covering as little as it can";
    EXPECT_GE(narrow.left, kScreen.left);
}

TEST(WindowPlacementTest, AKeptPlaceIsClampedToTheScreensThatExist) {
    const ScreenRect screens[] = {kScreen, {1500, 0, 1024, 768}};
    const WindowPlace kept{1600, 100, 800, 500, true};
    EXPECT_EQ(ClampToScreens(kept, screens, kFrame, 487, 273), kept)
        << "a place on the second screen stays there, maximised";

    const WindowPlace overRightEdge =
        ClampToScreens({1300, 900, 800, 600, false}, {screens, 1}, kFrame, 487, 273);
    EXPECT_EQ(overRightEdge, (WindowPlace{698, 326, 800, 600, false}))
        << "moved in until the whole frame shows";

    const WindowPlace aboveTop =
        ClampToScreens({100, -40, 800, 600, false}, screens, kFrame, 487, 273);
    EXPECT_EQ(aboveTop.top, 0) << "the title bar comes back on the screen";

    const WindowPlace bigger =
        ClampToScreens({1600, 10, 1400, 900, false}, screens, kFrame, 487, 273);
    EXPECT_EQ(bigger, (WindowPlace{1500, 0, 1022, 744, false}))
        << "a window kept on a larger screen shrinks to the one it is on now";

    const WindowPlace gone =
        ClampToScreens({3000, 200, 800, 500, true}, {screens, 1}, kFrame, 487, 273);
    EXPECT_EQ(gone, (WindowPlace{349, 213, 800, 500, true}))
        << "a place on a screen that went is centred on the first";
}

TEST(WindowPlacementTest, ThePlaceAndThePaneHeightAreKeptPerUser) {
    test::TempDir dir;
    UserSettings settings(dir.Path());
    EXPECT_FALSE(LoadWindowPlace(settings)) << "nothing kept: the first start";
    EXPECT_FALSE(LoadSearchPaneHeight(settings, LibraryKind::Part));

    const WindowPlace place{-8, 40, 1024, 700, true};
    ASSERT_TRUE(SaveWindowPlace(settings, place));
    ASSERT_TRUE(SaveSearchPaneHeight(settings, LibraryKind::Part, 310));
    ASSERT_TRUE(SaveSearchPaneHeight(settings, LibraryKind::Padstack, 120));
    EXPECT_EQ(LoadWindowPlace(UserSettings(dir.Path())), place);
    EXPECT_EQ(LoadSearchPaneHeight(UserSettings(dir.Path()), LibraryKind::Part), 310);
    EXPECT_EQ(LoadSearchPaneHeight(UserSettings(dir.Path()), LibraryKind::Padstack), 120)
        << "each tab its own";
    EXPECT_FALSE(LoadSearchPaneHeight(settings, LibraryKind::Symbol));

    settings.SaveUserSetting(kUserSettingsApplication, kUserSettingsSection, "WindowWidth", "wide");
    EXPECT_FALSE(LoadWindowPlace(settings)) << "a damaged value starts afresh";
    settings.SaveUserSetting(kUserSettingsApplication, kUserSettingsSection, "WindowWidth", "0");
    EXPECT_FALSE(LoadWindowPlace(settings));
}

} // namespace
} // namespace k2k
