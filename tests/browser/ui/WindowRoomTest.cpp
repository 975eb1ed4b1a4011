#include "browser/ui/ResultListModel.h"
#include "browser/ui/ResultListView.h"
#include "browser/ui/frmK32_LibBrowser.h"

#include "browser/MainWindowLayout.h"
#include "browser/OptionGridRows.h"
#include "browser/ui/BrowserPanes.h"
#include "browser/ui/OptionGrid.h"
#include "browser/ui/ResultListModel.h"
#include "browser/ui/ResultListView.h"
#include "common/BrowserUserSettings.h"
#include "platform/UserSettings.h"
#include "platform/ui/K2kGrid.h"
#include "services/WindowPlacement.h"
#include "support/TestSupport.h"
#include "support/ui/LoadedBrowserFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSplitterHandle>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <string>

namespace k2k {
namespace {

using test::ReadFile;
using test::WriteFile;

// The room the main window gives the work: where it opens, how it shares its height
// between the option grids and the result lists, and what it keeps for the next start.
class WindowRoomTest : public test::LoadedBrowserTest {
protected:
    QRect WorkArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }
    BrowserPanes& Panes() { return *Child<BrowserPanes>("splBrowser"); }
    // Drags the bar between the panes by dy pixels with the mouse, as a person does.
    void DragBar(int dy) {
        QSplitterHandle* bar = Panes().handle(1);
        const QPoint middle = bar->rect().center();
        QTest::mousePress(bar, Qt::LeftButton, {}, middle);
        QMouseEvent move(QEvent::MouseMove, QPointF(middle + QPoint(0, dy)),
                         bar->mapToGlobal(QPointF(middle + QPoint(0, dy))), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(bar, &move);
        QTest::mouseRelease(bar, Qt::LeftButton, {}, middle + QPoint(0, dy));
        QApplication::processEvents();
    }
    QTableWidget& Table(LibraryKind kind) {
        return *m_window->Grid(kind).Grid().findChild<QTableWidget*>();
    }
    // Closes the window (the close box only hides it), then starts a new one as the next
    // start of the suite would.
    void StartAgain() {
        m_window->close();
        m_browser.reset();
        Load();
    }
};

TEST_F(WindowRoomTest, TheFirstStartShowsTheWholeGridAndAScreenOfResultsCentred) {
    Load();
    const double dpiX = m_window->screen()->logicalDotsPerInchX();
    const double dpiY = m_window->screen()->logicalDotsPerInchY();
    EXPECT_NEAR(m_window->minimumWidth(), TwipsToPixels(kStartWidth, dpiX), 1)
        << "the prescribed start size stays the smallest";
    EXPECT_NEAR(m_window->minimumHeight(), TwipsToPixels(kStartHeight, dpiY), 1);

    for (const LibraryKind kind : kAllKinds) {
        m_window->SelectTab(kind);
        QApplication::processEvents();
        EXPECT_EQ(Table(kind).verticalScrollBar()->maximum(), 0)
            << FactsOf(kind).title << ": every row of the grid shows";
    }
    m_window->SelectTab(LibraryKind::Part);

    const QRect area = WorkArea();
    const QRect frame = m_window->frameGeometry();
    EXPECT_GE(frame.top(), area.top()) << "the title bar is on the screen";
    EXPECT_GE(frame.left(), area.left());
    ResultListView& list = m_window->ResultView(LibraryKind::Part);
    const int rows = list.viewport()->height() / list.verticalHeader()->defaultSectionSize();
    if (m_window->height() + 40 < area.height()) {
        EXPECT_GE(rows, 20) << "a screen of results";
        EXPECT_NEAR(frame.center().y(), area.center().y(), 20) << "centred";
    } else {
        EXPECT_GE(rows, 3) << "a short screen: the window takes its height, results too";
    }
    EXPECT_NEAR(frame.center().x(), area.center().x(), 20) << "centred";
}

TEST_F(WindowRoomTest, LaterStartsOpenWhereThePersonLeftTheWindowOnTheScreensThatExist) {
    Load();
    const QRect area = WorkArea();
    const QPoint moved(area.left() + 30, area.top() + 40);
    WaitUntilSettled();
    m_window->resize(560, 380);
    m_window->move(moved);
    // As a person's move, it has reached the window system before the window closes: a
    // slow run may take more than one turn of the events to get there.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return m_window->windowHandle()->framePosition() == moved; }, 2000));
    StartAgain();
    EXPECT_EQ(m_window->pos(), moved);
    EXPECT_EQ(m_window->size(), QSize(560, 380));
    EXPECT_FALSE(m_window->isMaximized());

    m_window->showMaximized();
    QApplication::processEvents();
    StartAgain();
    EXPECT_TRUE(m_window->isMaximized()) << "maximised again";
    m_window->showNormal();
    QApplication::processEvents();
    EXPECT_EQ(m_window->size(), QSize(560, 380)) << "with the normal size kept beneath";

    // A place on a screen that is no longer there.
    m_window->close();
    m_browser.reset();
    UserSettings settings;
    SaveWindowPlace(settings, {area.right() + 2000, area.top() - 500, 560, 380, false});
    Load();
    const QRect frame = m_window->frameGeometry();
    EXPECT_TRUE(area.contains(frame.topLeft())) << "the title bar can be reached";
    EXPECT_TRUE(area.contains(frame.bottomRight()));
}

TEST_F(WindowRoomTest, ThePanesShareTheHeightAndTheBarStaysWhereThePersonPutIt) {
    Load();
    BrowserPanes& panes = Panes();
    QWidget* tabs = Child("tabBrowser");
    QWidget* results = Child("egrdPartSearchResults");
    const int before = panes.SearchPaneHeight();
    DragBar(-80);
    EXPECT_EQ(panes.SearchPaneHeight(), before - 80);
    EXPECT_NEAR(tabs->geometry().bottom() + 1, panes.SearchPaneHeight(), 1)
        << "the tabs follow the bar";
    EXPECT_EQ(results->size(), panes.ResultPane()->size()) << "the list fills its pane";
    EXPECT_GT(Table(LibraryKind::Part).verticalScrollBar()->maximum(), 0) << "the grid scrolls";

    const int windowHeight = m_window->height();
    m_window->resize(m_window->width(), windowHeight - 60);
    QApplication::processEvents();
    EXPECT_EQ(panes.SearchPaneHeight(), before - 80) << "a smaller window takes from the list";

    StartAgain();
    EXPECT_EQ(Panes().SearchPaneHeight(), before - 80) << "kept for the next start";
}

// Each tab's pane is as high as its own grid wants, so a short grid leaves no empty room;
// a height the person gives one tab stays that tab's.
TEST_F(WindowRoomTest, EachTabsPaneFitsItsOwnGridUnlessThePersonMovedTheBar) {
    Load();
    const int part = Panes().SearchPaneHeight();
    m_window->SelectTab(LibraryKind::Padstack);
    const int padstack = Panes().SearchPaneHeight();
    EXPECT_LT(padstack, part - 100) << "five rows want less than seventeen";
    const QTableWidget& grid = Table(LibraryKind::Padstack);
    EXPECT_EQ(grid.verticalScrollBar()->maximum(), 0) << "and still show every row";
    const K2kGrid& padstackGrid = m_window->Grid(LibraryKind::Padstack).Grid();
    EXPECT_EQ(padstackGrid.height(), padstackGrid.FullHeight())
        << "the command panel's height leaves no empty band inside the grid";

    DragBar(+40);
    m_window->SelectTab(LibraryKind::Part);
    EXPECT_EQ(Panes().SearchPaneHeight(), part) << "the Part tab keeps its own";
    m_window->SelectTab(LibraryKind::Symbol);
    const int symbol = Panes().SearchPaneHeight();
    EXPECT_LT(symbol, part);
    m_window->SelectTab(LibraryKind::Padstack);
    EXPECT_EQ(Panes().SearchPaneHeight(), padstack + 40);

    StartAgain();
    m_window->SelectTab(LibraryKind::Padstack);
    EXPECT_EQ(Panes().SearchPaneHeight(), padstack + 40) << "kept for the next start";
    m_window->SelectTab(LibraryKind::Symbol);
    EXPECT_EQ(Panes().SearchPaneHeight(), symbol);
}

TEST_F(WindowRoomTest, MovingThroughTheGridWithTheKeyboardKeepsTheFocusedRowInView) {
    Load();
    Panes().SetSearchPaneHeight(Panes().SearchPane()->minimumHeight());
    QApplication::processEvents();
    QTableWidget& table = Table(LibraryKind::Part);
    const auto shows = [&table](int row) {
        return table.viewport()->rect().contains(table.visualRect(table.model()->index(row, 1)));
    };
    const int last = table.rowCount() - 1;
    ASSERT_FALSE(shows(last)) << "the pane is too short for the whole grid";

    QApplication::setActiveWindow(m_window);
    m_window->Grid(LibraryKind::Part).Grid().HistoryBox(1)->lineEdit()->setFocus();
    for (int row = 1; row < last; ++row) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        QTest::keyClick(focused, Qt::Key_Down);
        ASSERT_TRUE(shows(row + 1)) << "row " << row + 1 << " is in view when it has the focus";
        ASSERT_TRUE(table.horizontalHeader()->isVisible()) << "the caption row stays, row " << row;
        ASSERT_EQ(table.item(row + 1, 0)->background(), table.palette().brush(QPalette::Highlight))
            << "the focused row is marked";
        ASSERT_NE(table.item(row, 0)->background(), table.palette().brush(QPalette::Highlight));
    }
    EXPECT_EQ(table.horizontalHeaderItem(0)->text(), "Options");
    EXPECT_TRUE(table.isRowHidden(0)) << "shown as the header, not twice";
    for (int row = last; row > 1; --row)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_TRUE(shows(1));
    Child<QPushButton>("cmdFindNow")->setFocus();
    EXPECT_NE(table.item(1, 0)->background(), table.palette().brush(QPalette::Highlight))
        << "no mark once the focus has left the grid";
}

// Tab from the tabs lands in the grid's first row, no other cell left marked as selected;
// Ctrl+Tab and Ctrl+Shift+Tab in a grid turn the tabs, as in any tab control, and the person
// goes on typing in the new tab's first row.
TEST_F(WindowRoomTest, CtrlTabInAGridTurnsTheTabAndKeepsTheKeyboardInTheGrid) {
    Load();
    QApplication::setActiveWindow(m_window);
    m_window->findChild<QTabBar*>()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    const K2kGrid& part = m_window->Grid(LibraryKind::Part).Grid();
    ASSERT_TRUE(part.HistoryBox(1)->isAncestorOf(QApplication::focusWidget()));
    const int library = CriterionRow(LibraryKind::Part, SearchCriterion::Library);
    const auto* libraries =
        Table(LibraryKind::Part).cellWidget(library, 1)->findChild<QComboBox*>();
    EXPECT_FALSE(libraries->lineEdit()->hasSelectedText()) << "passed by on the way in";

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    ASSERT_EQ(m_window->CurrentKind(), LibraryKind::Symbol);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("74*"));
    EXPECT_EQ(m_window->Grid(LibraryKind::Symbol).Grid().CellText(1, 1), "74*");
    EXPECT_EQ(m_window->Grid(LibraryKind::Part).Grid().CellText(1, 1), "");

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                    Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(m_window->CurrentKind(), LibraryKind::Part);
    EXPECT_TRUE(Table(LibraryKind::Part).isAncestorOf(QApplication::focusWidget()));

    QWidget* typing = QApplication::focusWidget();
    m_window->resize(m_window->size() + QSize(40, 40));
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), typing) << "laying the window out again keeps it";
}

// German captions are longer than the English ones the panel was drawn for.
class GermanWindowRoomTest : public WindowRoomTest {
protected:
    void PrepareSuite() override { UseSampleLanguage("DEU"); }
};

TEST_F(GermanWindowRoomTest, EveryCaptionOfTheCommandPanelShowsWhole) {
    Load();
    ASSERT_EQ(Child<QAbstractButton>("MatchCase")->text(),
              QString::fromUtf8("Gro\xc3\x9f-/Kleinschreibung"));
    for (const char* name : {"cmdFindNow", "cmdEditNewPart", "cmdFindInList", "cmdNewSearch",
                             "chkSearchCond", "MatchCase", "chkIntelli"}) {
        const QAbstractButton* control = Child<QAbstractButton>(name);
        EXPECT_GE(control->width(), control->sizeHint().width())
            << name << " \"" << control->text().toStdString() << "\" is cut";
    }
    const QWidget* panel = Child("picSearchCommands");
    EXPECT_LE(panel->geometry().right() + 1, panel->parentWidget()->width());
}

// The lists' headings are in the suite's language; the stored option names stay English.
TEST_F(GermanWindowRoomTest, TheListHeadingsAreInTheSuitesLanguage) {
    Load();
    auto& table = m_window->Component().State().displayOptions.Table(LibraryKind::Part);
    table = {{}, {-1, "Library"}, {-1, "Description"}, {-1, "Datasheet"}, {-1, "Mine"}};
    m_window->ResultView(LibraryKind::Part).Model().Reset();
    const QAbstractItemModel& model = *m_window->ResultView(LibraryKind::Part).model();
    QStringList headings;
    for (int column = 0; column < model.columnCount(); ++column)
        headings << model.headerData(column, Qt::Horizontal).toString();
    EXPECT_EQ(headings, (QStringList{"Name", "Bibliothek", "Beschreibung", "Datenblatt", "Mine"}));
    EXPECT_EQ(table[1].Name, "Library") << "the stored name is kept";
}

} // namespace
} // namespace k2k
