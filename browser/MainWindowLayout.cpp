#include "browser/MainWindowLayout.h"

#include <algorithm>
#include <cmath>

namespace k2k {

namespace {

constexpr int kTabTop = 60;
constexpr int kOptionsLeft = 60;
constexpr int kOptionsTop = 420;
constexpr int kOptionsBottom = 60; // under the containers, inside the tabs

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
    const int height = std::max(input.innerHeight - kTabTop, 0);
    layout.commands = {layout.commandsLeft, kTabTop, input.commandsWidth, height};
    layout.tabs = {0, kTabTop, layout.commandsLeft, height};
    layout.options = {kOptionsLeft, kOptionsTop, layout.tabs.width - 2 * kOptionsLeft,
                      std::max(height - kOptionsTop - kOptionsBottom, 0)};
    layout.optionGrid = {0, 0, layout.options.width, layout.options.height};
    return layout;
}

int SearchPaneHeightFor(int gridHeight) noexcept {
    return kTabTop + kOptionsTop + gridHeight + kOptionsBottom;
}

} // namespace k2k
