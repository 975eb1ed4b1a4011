#include "browser/ui/SearchPaneLayout.h"

#include "browser/MainWindowLayout.h"
#include "browser/ui/BrowserPanes.h"
#include "browser/ui/ResultListView.h"
#include "platform/ui/K2kGrid.h"
#include "services/WindowPlacement.h"

#include <QApplication>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>

namespace k2k {

namespace {

// The command panel's design-time width in twips; a caption that needs more widens it.
constexpr int kCommandsWidth = 1800;
// The first start's room: result rows to show, and the width in twips.
constexpr int kResultRowsAtStart = 20;
constexpr int kWidthAtStart = 14400;

} // namespace

SearchPaneLayout::SearchPaneLayout(QMainWindow& window, const MainWindowControls& controls)
    : m_window(window), m_controls(controls) {
}

double SearchPaneLayout::DotsPerInchX() const {
    const QScreen* screen =
        m_window.screen() ? m_window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

double SearchPaneLayout::DotsPerInchY() const {
    const QScreen* screen =
        m_window.screen() ? m_window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

bool SearchPaneLayout::Resized(QSize size) {
    if (m_layingOut)
        return false;
    const TwipsSize clamped =
        ClampToMinimum({size.width(), size.height()}, {m_minimum.width(), m_minimum.height()});
    if (clamped.width == size.width() && clamped.height == size.height())
        return true;
    m_window.resize(clamped.width, clamped.height);
    return false;
}

void SearchPaneLayout::LayOut(LibraryKind current) {
    const MainWindowControls& c = m_controls;
    const double dpiX = DotsPerInchX();
    const double dpiY = DotsPerInchY();
    const auto toX = [dpiX](int twips) { return TwipsToPixels(twips, dpiX); };
    const auto toY = [dpiY](int twips) { return TwipsToPixels(twips, dpiY); };
    const auto place = [&](QWidget* widget, const TwipsRect& rect) {
        widget->setGeometry(toX(rect.left), toY(rect.top), toX(rect.width), toY(rect.height));
    };
    m_layingOut = true;
    // The controls are hidden while they move, which takes the focus from them: it is given
    // back, so that a person typing in a grid or a list goes on there.
    const QPointer<QWidget> focus = QApplication::focusWidget();
    const QWidget* searchPane = c.panes->SearchPane();
    MainLayoutInput input;
    input.innerWidth = PixelsToTwips(searchPane->width(), dpiX);
    input.innerHeight = PixelsToTwips(searchPane->height(), dpiY);
    // The panel is as wide as its captions need in the window's language.
    input.commandsWidth =
        std::max(kCommandsWidth, PixelsToTwips(c.commands->sizeHint().width(), dpiX));
    const MainLayout layout = LayOutMainWindow(input);
    // Dragging the panes' bar stops where the command panel would be cut.
    c.panes->SearchPane()->setMinimumHeight(toY(layout.commands.top) +
                                            c.commands->sizeHint().height());
    // and where the result lists would show no row.
    const ResultListView& list = *c.views[0];
    c.panes->ResultPane()->setMinimumHeight(list.horizontalHeader()->sizeHint().height() +
                                            list.verticalHeader()->defaultSectionSize() +
                                            2 * list.frameWidth());

    c.commands->hide();
    c.tabs->hide();
    for (ResultListView* view : c.views)
        view->hide();
    place(c.commands, layout.commands);
    place(c.tabs, layout.tabs);
    for (std::size_t i = 0; i < c.optionBoxes.size(); ++i) {
        c.optionBoxes[i]->hide();
        place(c.optionBoxes[i], layout.options);
        place(c.gridControls[i], layout.optionGrid);
    }
    const auto shown = static_cast<std::size_t>(current);
    c.optionBoxes[shown]->show();
    c.optionBoxes[shown]->raise();
    for (ResultListView* view : c.views)
        view->setGeometry(c.panes->ResultPane()->rect());
    for (K2kGrid* grid : c.gridControls) {
        grid->ResizeColumns(0);
        grid->ResizeRows(0);
        // A grid shorter than its room ends with its last row, no empty band inside its frame.
        if (grid->height() > grid->FullHeight())
            grid->resize(grid->width(), grid->FullHeight());
    }
    for (ResultListView* view : c.views)
        view->setVisible(view->Kind() == current);
    c.commands->show();
    c.tabs->show();
    if (focus && focus->window() == &m_window && focus->isVisible() &&
        QApplication::focusWidget() != focus)
        focus->setFocus(Qt::OtherFocusReason);
    m_layingOut = false;
}

int SearchPaneLayout::SearchPaneWanted(std::optional<LibraryKind> kind) const {
    const double dpiY = DotsPerInchY();
    int grid = 0;
    if (kind)
        grid = m_controls.gridControls[static_cast<std::size_t>(*kind)]->FullHeight();
    else
        for (const K2kGrid* control : m_controls.gridControls)
            grid = std::max(grid, control->FullHeight());
    const int wanted = TwipsToPixels(SearchPaneHeightFor(PixelsToTwips(grid, dpiY)), dpiY);
    return std::max(wanted, m_controls.panes->SearchPane()->minimumHeight());
}

QSize SearchPaneLayout::RoomForWork() const {
    const ResultListView& list = *m_controls.views[0];
    const int rowHeight = list.verticalHeader()->defaultSectionSize();
    const int results = list.horizontalHeader()->sizeHint().height() +
                        kResultRowsAtStart * rowHeight +
                        list.horizontalScrollBar()->sizeHint().height() + 2 * list.frameWidth();
    const int height = m_window.menuBar()->sizeHint().height() + SearchPaneWanted() +
                       m_controls.panes->handleWidth() + results +
                       m_window.statusBar()->sizeHint().height();
    return {std::max(m_window.width(), TwipsToPixels(kWidthAtStart, DotsPerInchX())), height};
}

void SearchPaneLayout::SizePanesOnce(const UserSettings& settings, LibraryKind current) {
    if (m_panesSized)
        return;
    m_panesSized = true;
    for (LibraryKind kind : kAllKinds)
        m_chosen[static_cast<std::size_t>(kind)] = LoadSearchPaneHeight(settings, kind);
    ShowKind(current);
}

void SearchPaneLayout::ShowKind(LibraryKind kind) {
    if (!m_panesSized)
        return;
    m_controls.panes->SetSearchPaneHeight(
        m_chosen[static_cast<std::size_t>(kind)].value_or(SearchPaneWanted(kind)));
}

void SearchPaneLayout::BarMoved(LibraryKind kind, int height) {
    m_chosen[static_cast<std::size_t>(kind)] = height;
}

void SearchPaneLayout::KeepPaneHeight(UserSettings& settings) const {
    for (LibraryKind kind : kAllKinds)
        if (const auto height = m_chosen[static_cast<std::size_t>(kind)])
            SaveSearchPaneHeight(settings, kind, *height);
}

} // namespace k2k
