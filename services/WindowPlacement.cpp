#include "services/WindowPlacement.h"

#include "common/BrowserUserSettings.h"
#include "formats/IniFile.h"
#include "platform/UserSettings.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <utility>

namespace k2k {

namespace {

constexpr const char* kLeft = "WindowLeft";
constexpr const char* kTop = "WindowTop";
constexpr const char* kWidth = "WindowWidth";
constexpr const char* kHeight = "WindowHeight";
constexpr const char* kMaximised = "WindowMaximised";
constexpr const char* kSearchPane = "SearchPaneHeight";

// The settings of the window, read once for all of its numbers.
IniSnapshot Stored(const UserSettings& settings) {
    return settings.Read(kUserSettingsApplication);
}

std::optional<int> NumberOf(const IniSnapshot& stored, const char* key) {
    const std::string text = stored->Get(kUserSettingsSection, key).value_or(std::string());
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

// The inner size that fits the area with its frame, not below the minimum.
std::pair<int, int> FitInto(const ScreenRect& area, int width, int height, FrameExtra frame,
                            int minimumWidth, int minimumHeight) {
    width = std::max(std::min(width, area.width - frame.width), minimumWidth);
    height = std::max(std::min(height, area.height - frame.height), minimumHeight);
    return {width, height};
}

// Moves a frame of the given outer size into the area; where it cannot fit, its top-left
// corner (and so the title bar) stays in the area.
int MoveInto(int start, int size, int areaStart, int areaSize) {
    return std::max(std::min(start, areaStart + areaSize - size), areaStart);
}

long long Overlap(const ScreenRect& a, const ScreenRect& b) {
    const long long width = std::min(a.Right(), b.Right()) - std::max(a.left, b.left);
    const long long height = std::min(a.Bottom(), b.Bottom()) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

} // namespace

WindowPlace FirstStartPlace(const ScreenRect& workArea, int wantedWidth, int wantedHeight,
                            FrameExtra frame, int minimumWidth, int minimumHeight,
                            int mainWidth) noexcept {
    const auto [width, height] =
        FitInto(workArea, wantedWidth, wantedHeight, frame, minimumWidth, minimumHeight);
    WindowPlace place;
    place.width = width;
    place.height = height;
    const int outerWidth = width + frame.width;
    const int outerHeight = height + frame.height;
    if (mainWidth <= 0)
        place.left = std::max(workArea.left + (workArea.width - outerWidth) / 2, workArea.left);
    else if (mainWidth + outerWidth <= workArea.width)
        place.left = workArea.left + mainWidth;
    else
        place.left = std::max(workArea.left + workArea.width - outerWidth, workArea.left);
    place.top = std::max(workArea.top + (workArea.height - outerHeight) / 2, workArea.top);
    return place;
}

WindowPlace ClampToScreens(const WindowPlace& place, std::span<const ScreenRect> screens,
                           FrameExtra frame, int minimumWidth, int minimumHeight) noexcept {
    if (screens.empty())
        return place;
    const ScreenRect outer{place.left, place.top, place.width + frame.width,
                           place.height + frame.height};
    const ScreenRect* best = nullptr;
    long long bestOverlap = 0;
    for (const ScreenRect& screen : screens) {
        if (const long long overlap = Overlap(outer, screen); overlap > bestOverlap) {
            best = &screen;
            bestOverlap = overlap;
        }
    }
    if (!best) {
        WindowPlace centred = FirstStartPlace(screens.front(), place.width, place.height, frame,
                                              minimumWidth, minimumHeight);
        centred.maximised = place.maximised;
        return centred;
    }
    WindowPlace clamped = place;
    std::tie(clamped.width, clamped.height) =
        FitInto(*best, place.width, place.height, frame, minimumWidth, minimumHeight);
    clamped.left = MoveInto(place.left, clamped.width + frame.width, best->left, best->width);
    clamped.top = MoveInto(place.top, clamped.height + frame.height, best->top, best->height);
    return clamped;
}

std::optional<WindowPlace> LoadWindowPlace(const UserSettings& settings) {
    const IniSnapshot stored = Stored(settings);
    const auto left = NumberOf(stored, kLeft);
    const auto top = NumberOf(stored, kTop);
    const auto width = NumberOf(stored, kWidth);
    const auto height = NumberOf(stored, kHeight);
    if (!left || !top || !width || !height || *width <= 0 || *height <= 0)
        return std::nullopt;
    return WindowPlace{*left, *top, *width, *height, NumberOf(stored, kMaximised) == 1};
}

bool SaveWindowPlace(UserSettings& settings, const WindowPlace& place) {
    const std::pair<std::string, std::string> values[] = {
        {kLeft, std::to_string(place.left)},
        {kTop, std::to_string(place.top)},
        {kWidth, std::to_string(place.width)},
        {kHeight, std::to_string(place.height)},
        {kMaximised, place.maximised ? "1" : "0"}};
    return settings.SaveUserSettings(kUserSettingsApplication, kUserSettingsSection, values);
}

namespace {

// "SearchPaneHeight" for the Part tab, "SearchPaneHeight1" to "3" for the others.
std::string SearchPaneKey(LibraryKind kind) {
    const int number = static_cast<int>(kind);
    return std::string(kSearchPane) + (number == 0 ? std::string() : std::to_string(number));
}

} // namespace

std::optional<int> LoadSearchPaneHeight(const UserSettings& settings, LibraryKind kind) {
    const auto height = NumberOf(Stored(settings), SearchPaneKey(kind).c_str());
    return height && *height > 0 ? height : std::nullopt;
}

bool SaveSearchPaneHeight(UserSettings& settings, LibraryKind kind, int height) {
    return settings.SaveUserSetting(kUserSettingsApplication, kUserSettingsSection,
                                    SearchPaneKey(kind), std::to_string(height));
}

} // namespace k2k
