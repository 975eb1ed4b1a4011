#pragma once
// SearchPaneLayout, the geometry of the main window's controls. The search controls and the
// result lists lie in two panes that share the height (BrowserPanes). The search pane's
// tabs, option-grid containers and command panel are placed by the arithmetic of
// browser/MainWindowLayout.h in twips, converted at the screen's logical dots per inch; the
// command panel is as wide as its captions need. The result lists fill their pane. The
// window never gets smaller than its size at set-up; the first start gives it room for the
// tallest option grid and 20 result rows. Each tab's search pane is as high as its own grid
// wants, so a short grid leaves no empty room, unless the person has moved the bar on that
// tab: then that tab keeps the person's height, from one start to the next.

#include "common/ObjectKinds.h"

#include <QSize>

#include <array>
#include <optional>

class QMainWindow;
class QTabWidget;
class QWidget;

namespace k2k {

class BrowserPanes;
class K2kGrid;
class ResultListView;
class UserSettings;

// The main window's controls, one per kind where the kinds differ.
struct MainWindowControls {
    std::array<QWidget*, 4> optionBoxes{}; // picSearchOptions0 to 3, on the tabs
    std::array<K2kGrid*, 4> gridControls{};
    std::array<ResultListView*, 4> views{};
    BrowserPanes* panes = nullptr;
    QTabWidget* tabs = nullptr;
    QWidget* commands = nullptr;
};

class SearchPaneLayout final {
public:
    SearchPaneLayout(QMainWindow& window, const MainWindowControls& controls);

    // The window's size at set-up becomes its smallest.
    void KeepMinimum(QSize size) noexcept { m_minimum = size; }
    QSize Minimum() const noexcept { return m_minimum; }
    // A resize of the window: false when it was below the smallest size (and has been sent
    // back to it) or a layout is under way; the window then lays out nothing.
    bool Resized(QSize size);
    // Places the controls, the current kind's container and result list shown.
    void LayOut(LibraryKind current);
    bool LayingOut() const noexcept { return m_layingOut; }
    // The inner size of the window's first start.
    QSize RoomForWork() const;
    // At the first showing: the kept heights of the tabs' search panes, and the current
    // tab's height.
    void SizePanesOnce(const UserSettings& settings, LibraryKind current);
    // The search pane takes the height of the kind's tab.
    void ShowKind(LibraryKind kind);
    // The person moved the bar on the kind's tab.
    void BarMoved(LibraryKind kind, int height);
    void KeepPaneHeight(UserSettings& settings) const;

private:
    // The search pane's height that shows the grid whole, in pixels: the kind's grid, or
    // the tallest one.
    int SearchPaneWanted(std::optional<LibraryKind> kind = std::nullopt) const;
    double DotsPerInchX() const;
    double DotsPerInchY() const;

    QMainWindow& m_window;
    const MainWindowControls& m_controls;
    QSize m_minimum;
    bool m_layingOut = false;
    bool m_panesSized = false;
    std::array<std::optional<int>, kObjectKinds> m_chosen{}; // heights the person gave
};

} // namespace k2k
