#pragma once
// Where the main window opens, in pixels of the desktop. The first start centres a window
// big enough to work in (every row of the option grid and a screenful of results) in the
// work area; later starts put it back where the person left it, clamped to the screens
// that exist now, so its title bar can always be reached.
//
// A place is the frame's top-left corner and the inner size, as a window system moves
// windows by their frame and sizes them by their client area. The frame's extra width and
// height (borders, title bar) are given where the outer size matters.
//
// The place is kept per user (application "Kalde2000", section "K2KBRWSR"): WindowLeft,
// WindowTop, WindowWidth, WindowHeight, WindowMaximised, and SearchPaneHeight (the height
// the person gave the option grids' pane).

#include "formats/LibraryFile.h"

#include <optional>
#include <span>

namespace k2k {

class UserSettings;

struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int Right() const noexcept { return left + width; } // one past the last column
    int Bottom() const noexcept { return top + height; }
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

struct FrameExtra {
    int width = 0;  // both borders
    int height = 0; // title bar and borders
};

struct WindowPlace {
    int left = 0; // of the frame
    int top = 0;
    int width = 0; // inside the frame
    int height = 0;
    bool maximised = false;

    friend bool operator==(const WindowPlace&, const WindowPlace&) = default;
};

// The first start: the wanted inner size, no larger than the work area allows and no
// smaller than the minimum, centred with its frame in the work area (the title bar never
// above the work area's top). mainWidth: the width the main application's window takes at
// the work area's left (its MainWidth setting, in pixels; 0 for none). The window then
// opens right beside it where the work area has room for both, and otherwise as far right
// as the work area allows, so it covers as little of the main window as it can.
WindowPlace FirstStartPlace(const ScreenRect& workArea, int wantedWidth, int wantedHeight,
                            FrameExtra frame, int minimumWidth, int minimumHeight,
                            int mainWidth = 0) noexcept;

// A kept place on the screens that exist (their work areas, the primary first): the screen
// the window overlaps most holds it, shrunk to that screen (not below the minimum) and
// moved in until the whole frame shows. A place on no screen opens centred on the first.
// The maximised flag is kept.
WindowPlace ClampToScreens(const WindowPlace& place, std::span<const ScreenRect> screens,
                           FrameExtra frame, int minimumWidth, int minimumHeight) noexcept;

// The kept place; none when nothing (or no usable size) was kept.
std::optional<WindowPlace> LoadWindowPlace(const UserSettings& settings);
bool SaveWindowPlace(UserSettings& settings, const WindowPlace& place);
// The height the person gave the option grids' pane on a kind's tab; none when not kept.
// The Part tab's is kept under the key every kind's once shared.
std::optional<int> LoadSearchPaneHeight(const UserSettings& settings, LibraryKind kind);
bool SaveSearchPaneHeight(UserSettings& settings, LibraryKind kind, int height);

} // namespace k2k
