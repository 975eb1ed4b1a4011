#include "browser/MainWindowLayout.h"

#include <cmath>

namespace k2k {

namespace {

constexpr int kTabTop = 60;
constexpr int kOptionsLeft = 60;
constexpr int kOptionsTop = 420;
constexpr int kMinimumResultsHeight = 60;

} // namespace

int TwipsToPixels(int twips, double dotsPerInch) noexcept {
    return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

int PixelsToTwips(int pixels, double dotsPerInch) noexcept {
    if (dotsPerInch <= 0)
        return 0;
    return static_cast<int>(std::lround(pixels * kTwipsPerInch / dotsPerInch));
}

TwipsRect StartPlacement(const TwipsRect& workArea, int mainWidth) noexcept {
    if (mainWidth > workArea.width / 2 || mainWidth < 0)
        mainWidth = 0;
    return {workArea.left + mainWidth, workArea.top, kStartWidth, kStartHeight};
}

TwipsSize ClampToMinimum(TwipsSize size, TwipsSize minimum) noexcept {
    if (size.width < minimum.width)
        size.width = minimum.width;
    if (size.height < minimum.height)
        size.height = minimum.height;
    return size;
}

MainLayout LayOutMainWindow(const MainLayoutInput& input) noexcept {
    MainLayout layout;
    layout.commandsLeft = input.innerWidth - input.commandsWidth;
    layout.tabs = {0, kTabTop, layout.commandsLeft, input.tabHeight};
    layout.options = {kOptionsLeft, kOptionsTop, layout.tabs.width - 2 * kOptionsLeft,
                      input.optionsHeight};
    layout.optionGrid = {0, 0, layout.options.width, layout.options.height};
    const int top = layout.tabs.top + layout.tabs.height;
    int height = input.innerHeight - input.statusHeight - top;
    if (height < 1)
        height = kMinimumResultsHeight;
    layout.results = {0, top, input.innerWidth, height};
    return layout;
}

} // namespace k2k
