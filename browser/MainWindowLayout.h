#pragma once
// The arithmetic of the main window's geometry, in twips as the window's rules give it:
// where the window starts (right of the host's main window, in the desktop's work area),
// the size it never gets smaller than, and where the command panel, the tabs and the
// option grids' containers go in the search pane on every resize. The window converts between
// twips and its screen's pixels at the edge (TwipsToPixels, PixelsToTwips) and only moves
// its widgets to what these functions answer.

namespace k2k {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kStartWidth = 7300; // twips
inline constexpr int kStartHeight = 4100;

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

int TwipsToPixels(int twips, double dotsPerInch) noexcept;
int PixelsToTwips(int pixels, double dotsPerInch) noexcept;

// The window's first place: the top of the work area, right of the host's main window
// (mainWidth, the kernel value "MAINWIDTH"; a width over half the work area counts as 0),
// 7300 by 4100 twips.
TwipsRect StartPlacement(const TwipsRect& workArea, int mainWidth) noexcept;

// A size below the minimum is raised to it, each dimension on its own.
struct TwipsSize {
    int width = 0;
    int height = 0;

    friend bool operator==(const TwipsSize&, const TwipsSize&) = default;
};
TwipsSize ClampToMinimum(TwipsSize size, TwipsSize minimum) noexcept;

// The search pane (the upper of the window's two panes, the lower holding the result lists)
// as it stands, in twips.
struct MainLayoutInput {
    int innerWidth = 0; // of the search pane
    int innerHeight = 0;
    int commandsWidth = 0; // the command panel's width
};

// Where the command panel, the tabs and the option grids go in the search pane. The option
// grids fill their container (optionGrid is relative to it).
struct MainLayout {
    int commandsLeft = 0; // the command panel keeps to the right edge
    TwipsRect commands;
    TwipsRect tabs;
    TwipsRect options;    // every tab's container
    TwipsRect optionGrid; // inside its container
};

MainLayout LayOutMainWindow(const MainLayoutInput& input) noexcept;

// The search pane's height that shows an option grid of the given height whole.
int SearchPaneHeightFor(int gridHeight) noexcept;

} // namespace k2k
