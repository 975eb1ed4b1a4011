// The result lists as a person meets them with the keyboard and the mouse alike: the
// selection made with the keys, deletes that did not happen, menus in the suite's language,
// column widths that follow the rows and the person, and the window's tab order and help key.

#include "browser/ui/ResultListView.h"

#include "browser/ui/OptionGrid.h"
#include "browser/ui/ResultListModel.h"
#include "options/DisplayOptions.h"
#include "platform/SuiteServices.h"
#include "platform/ui/K2kGrid.h"
#include "platform/ui/Kldquery.h"
#include "search/ProjectStatus.h"
#include "search/ResultList.h"
#include "support/ui/BrowserFixtures.h"
#include "support/ui/LoadedBrowserFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <memory>

namespace k2k {
namespace {

// --- one list and its keys

class ResultListKeysTest : public test::ResultListFixture {
protected:
    ResultListView& View() {
        if (!m_view) {
            m_view = std::make_unique<ResultListView>(m_browser, LibraryKind::Part);
            m_view->resize(500, 300);
            m_view->show();
            QObject::connect(m_view.get(), &ResultListView::statusMessage,
                             [this](const QString& text) { m_status << text; });
        }
        return *m_view;
    }

    void Fill(const std::string& library) {
        Search(LibraryKind::Part, "*", library);
        View().Model().SyncNewRows();
    }

    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(m_view.get(), key, modifiers);
    }

    void ClickRow(int row, Qt::MouseButton button = Qt::LeftButton,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const QRect rect = m_view->visualRect(m_view->Model().index(row, 0));
        QTest::mouseClick(m_view->viewport(), button, modifiers, rect.center());
    }

    QStringList Names() const {
        QStringList names;
        for (int row = 0; row < m_view->Model().rowCount(); ++row)
            names << m_view->Model().data(m_view->Model().index(row, 0)).toString();
        return names;
    }

    QStringList SelectedNames() const {
        QStringList names;
        for (const QModelIndex& index : m_view->selectionModel()->selectedRows())
            names << index.data().toString();
        names.sort();
        return names;
    }

    void TearDown() override {
        if (m_view)
            m_view->PopupMenu()->hide();
    }

    std::unique_ptr<ResultListView> m_view;
    QStringList m_status;
};

// Rows chosen with the keys are the selection every command works on, and the status bar
// counts them after each key, as it does after a click.
TEST_F(ResultListKeysTest, RowsChosenWithTheKeysAreSelectedForEveryCommand) {
    ResultListView& view = View();
    Fill("A.PART");
    ASSERT_EQ(Names(), (QStringList{"74LS00", "74HC00", "SN74LS00N", "74LS02", "LM741"}));
    view.setFocus();

    Key(Qt::Key_End);
    EXPECT_EQ(SelectedNames(), QStringList{"LM741"}) << "End goes to the last row";
    EXPECT_EQ(m_status.last(), "1 Part(s) Selected");
    Key(Qt::Key_Home);
    EXPECT_EQ(SelectedNames(), QStringList{"74LS00"}) << "Home goes to the first row";
    Key(Qt::Key_Down);
    EXPECT_EQ(SelectedNames(), QStringList{"74HC00"});
    EXPECT_TRUE(view.AtLeastOneSelected());

    m_boxes.answers = {MsgAnswer::Yes};
    Key(Qt::Key_Delete, Qt::ShiftModifier);
    ASSERT_EQ(m_boxes.Texts(), std::vector<std::string>{"Permanently Delete Selected Part(s)?"})
        << "the row chosen with the arrow keys is deleted";
    EXPECT_EQ(Names(), (QStringList{"74LS00", "SN74LS00N", "74LS02", "LM741"}));
    EXPECT_EQ(test::ReadFile(m_dir / "LIB" / "A.PART").find("74HC00"), std::string::npos);
    EXPECT_EQ(SelectedNames(), QStringList{"SN74LS00N"}) << "the row that took its place";
    EXPECT_EQ(m_status.last(), "1 Part(s) Selected");
    Key(Qt::Key_Down);
    EXPECT_EQ(SelectedNames(), QStringList{"74LS02"}) << "the keys go on from there";

    Key(Qt::Key_Home);
    Key(Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(SelectedNames().size(), 4) << "Shift+End reaches the last row";
    EXPECT_EQ(m_status.last(), "4 Objects(s) Selected");
    Key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(m_status.last(), "3 Part(s) Selected");
    EXPECT_TRUE(view.MoreThanOneSelected());
    Key(Qt::Key_Down);
    EXPECT_EQ(m_status.last(), "1 Part(s) Selected");
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(m_status.last(), "4 Part(s) Selected");
    Key(Qt::Key_Delete);
    EXPECT_TRUE(Names().isEmpty());
    EXPECT_EQ(m_status.last(), "0 Part(s) Selected");
}

// A delete that did not happen keeps its row: an object the project uses, kept by a No, and
// one whose library could not be written are still listed.
TEST_F(ResultListKeysTest, ADeleteThatDidNotHappenKeepsItsRow) {
    View();
    Fill(kProjectLibrary);
    ASSERT_EQ(Names(), (QStringList{"74LS00", "LM741", "SPARE"}));
    ClickRow(0);
    ClickRow(2, Qt::LeftButton, Qt::ControlModifier);
    m_boxes.answers = {MsgAnswer::Yes, MsgAnswer::No}; // delete; but 74LS00 is used
    Key(Qt::Key_Delete, Qt::ShiftModifier);
    ASSERT_EQ(m_boxes.shown.size(), 2u);
    EXPECT_EQ(Names(), (QStringList{"74LS00", "LM741"})) << "SPARE went, 74LS00 was kept";
    EXPECT_GT(FindInProject(m_kernel, LibraryKind::Part, "74LS00"), 0);
    EXPECT_EQ(SelectedNames(), QStringList{"74LS00"}) << "the first row of the selection";
    EXPECT_EQ(m_status.last(), "1 Part(s) Selected");

    m_view.reset();
    Results(LibraryKind::Part).Clear();
    View();
    Fill("B.PART");
    ASSERT_EQ(Names(), (QStringList{"74HCT00", "LM358"}));
    std::filesystem::remove(m_dir / "LIB" / "B.PART");
    m_boxes.shown.clear();
    m_boxes.answers = {MsgAnswer::Yes};
    ClickRow(1);
    Key(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(m_boxes.Texts(), (std::vector<std::string>{"Permanently Delete Selected Part(s)?",
                                                         "Can't delete Part: LM358 from disk "
                                                         "library"}));
    EXPECT_EQ(Names(), (QStringList{"74HCT00", "LM358"})) << "a failed write keeps the row";
}

// The menu key opens the pop-up menu at the focused row, so every tool is in reach of the
// keyboard; with no rows it opens nothing.
TEST_F(ResultListKeysTest, TheMenuKeyOpensThePopUpMenu) {
    ResultListView& view = View();
    view.setFocus();
    QContextMenuEvent none(QContextMenuEvent::Keyboard, QPoint(), QPoint());
    QApplication::sendEvent(&view, &none);
    EXPECT_FALSE(view.PopupMenu()->isVisible()) << "an empty list has no menu";
    Fill("A.PART");
    Key(Qt::Key_Down);
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(), QPoint());
    QApplication::sendEvent(&view, &key);
    ASSERT_TRUE(view.PopupMenu()->isVisible());
    EXPECT_TRUE(view.Tool("ATB_PartViewSymbol")->isEnabled()) << "prepared for the focused row";
    view.PopupMenu()->hide();
}

// The menus are made before the suite's language is known; they speak it when they open,
// and follow a change of it.
TEST_F(ResultListKeysTest, PopUpMenusSpeakTheSuitesLanguage) {
    ResultListView& view = View();
    Fill("B.PART");
    test::WriteFile(m_dir / "SYS" / "TEXTS.LNG",
                    "2923=Symbol anzeigen\r\n9928=&L\xF6schen\r\n502=Senden an\r\n"
                    "991154=Schaltplan\r\n");
    m_browser.Services().SetLanguagePath(m_dir.SuitePath() + "\\SYS");
    ClickRow(0, Qt::RightButton);
    ASSERT_TRUE(view.PopupMenu()->isVisible());
    EXPECT_EQ(view.Tool("ATB_PartViewSymbol")->text(), "Symbol anzeigen");
    EXPECT_EQ(view.Tool("ATB_PartDelete")->text(), QString::fromUtf8("&Löschen"));
    EXPECT_EQ(view.Tool("ATB_SendTo")->text(), "Senden an") << "a sub-menu's entry too";
    EXPECT_EQ(view.Tool("ATB_PartSendToSch")->text(), "Schaltplan") << "and its tools";
    EXPECT_EQ(view.Tool("ATB_PartSaveList")->text(), "Save List") << "no German text for it";
    view.PopupMenu()->hide();

    m_browser.Services().SetLanguagePath("");
    ClickRow(0, Qt::RightButton);
    EXPECT_EQ(view.Tool("ATB_PartViewSymbol")->text(), "View Symbol") << "back in English";
}

// --- the loaded window

class ResultListWindowTest : public test::LoadedBrowserTest {
protected:
    void PrepareSuite() override {
        test::WriteFile(m_dir / "suite.ini",
                        "[Kalde2K]\r\nLibDir=LIB\r\nSysDir=SYS\r\n"
                        "[Browser Part Options]\r\nNumber=3\r\n1=Library,-1\r\n"
                        "2=Description,0\r\n3=Symbols,-1\r\n");
    }

    void SetUp() override {
        LoadedBrowserTest::SetUp();
        Load();
    }

    void Search(const QString& name, const char* button = "cmdFindNow") {
        m_window->Grid(m_window->CurrentKind()).Grid().SetCellText(1, 1, name);
        Child<QPushButton>(button)->click();
    }

    ResultListView& Parts() { return m_window->ResultView(LibraryKind::Part); }
    QHeaderView& Header() { return *Parts().horizontalHeader(); }

    QStringList Headings() {
        QStringList headings;
        for (int column = 0; column < Parts().Model().columnCount(); ++column)
            headings << Parts().Model().headerData(column, Qt::Horizontal).toString();
        return headings;
    }

    void ShowActive() {
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window));
    }

    // The control a person sees the focus in: a grid stands for its cells.
    static QString Stop(QWidget* focus) {
        for (QWidget* widget = focus; widget != nullptr; widget = widget->parentWidget())
            if (qobject_cast<K2kGrid*>(widget) != nullptr)
                return widget->objectName();
        if (qobject_cast<QTabBar*>(focus) != nullptr)
            return QStringLiteral("tabs");
        return focus != nullptr ? focus->objectName() : QString();
    }

    // The stops of a round of Tab (or Shift+Tab) from the focus, each named once.
    QStringList TabRound(Qt::Key key) {
        QStringList stops{Stop(QApplication::focusWidget())};
        for (int press = 0; press < 60; ++press) {
            QTest::keyClick(QApplication::focusWidget(), key);
            const QString stop = Stop(QApplication::focusWidget());
            if (stop != stops.last())
                stops << stop;
            if (stops.size() > 1 && stop == stops.first())
                break;
        }
        return stops;
    }

    std::size_t HelpShown() const { return m_kernel.HelpRequests().size(); }
};

// A column fits its rows after every search, not only the first; a width the person chose
// stays with its column when the options add another before it.
TEST_F(ResultListWindowTest, ColumnsFitEverySearchAndAChosenWidthStaysWithItsColumn) {
    Search("74LS00");
    ResultListView& view = Parts();
    ASSERT_EQ(Headings(), (QStringList{"Name", "Library", "Symbols"}));
    const int first = view.columnWidth(0);
    Search("SN74LS00N");
    ASSERT_EQ(view.Model().rowCount(), 2);
    EXPECT_GT(view.columnWidth(0), first) << "the longer name of the second search fits";
    EXPECT_GE(view.columnWidth(0), static_cast<QAbstractItemView&>(view).sizeHintForColumn(0));

    Header().resizeSection(2, 217); // the person drags the edge of Symbols
    m_window->Component().State().displayOptions.Table(LibraryKind::Part)[2].Value = -1;
    m_window->mnuRefresh_Click(); // as OK in the options dialog does
    ASSERT_EQ(Headings(), (QStringList{"Name", "Library", "Description", "Symbols"}));
    EXPECT_EQ(view.columnWidth(3), 217) << "Symbols keeps the width it was given";
    EXPECT_NE(view.columnWidth(2), 217) << "Description, now in its place, does not take it";
    Search("LM*");
    EXPECT_EQ(view.columnWidth(3), 217) << "nor does the next search undo it";
    EXPECT_GE(view.columnWidth(0), static_cast<QAbstractItemView&>(view).sizeHintForColumn(0));
}

// The sort arrow stands beside the caption, never over it; New Search takes it away.
TEST_F(ResultListWindowTest, TheSortArrowHasRoomBesideItsCaptionAndNewSearchTakesItAway) {
    Search("*");
    QHeaderView& header = Header();
    const QPoint library(header.sectionViewportPosition(1) + 4, header.height() / 2);
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, library);
    ASSERT_EQ(header.sortIndicatorSection(), 1);
    const int margin = header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
    const int arrow = header.style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, &header);
    EXPECT_GE(header.sectionSize(1),
              header.fontMetrics().horizontalAdvance("Library") + 2 * margin + arrow);

    Search("", "cmdNewSearch");
    ASSERT_EQ(Parts().Model().rowCount(), 0);
    EXPECT_TRUE(header.sortIndicatorSection() < 0 || !header.isSortIndicatorShown())
        << "an emptied list is sorted by nothing";
}

// Tab goes from the tabs into the grid, through its cells, on through the command panel to
// the result list and round again; Shift+Tab the other way. Ctrl+F1 shows help wherever the
// focus is, a text box of the grid included.
TEST_F(ResultListWindowTest, TabGoesRoundTheWindowAndCtrlF1WorksInEveryControl) {
    ShowActive();
    Search("74*");
    m_window->findChild<QTabBar*>()->setFocus(Qt::OtherFocusReason);
    const QStringList round{
        "tabs",          "egrdPartSearchOptions", "cmdFindNow",    "cmdEditNewPart",
        "cmdFindInList", "cmdNewSearch",          "chkSearchCond", "MatchCase",
        "chkIntelli",    "egrdPartSearchResults", "tabs"};
    EXPECT_EQ(TabRound(Qt::Key_Tab).join(' ').toStdString(), round.join(' ').toStdString());
    const QStringList back(round.rbegin(), round.rend());
    EXPECT_EQ(TabRound(Qt::Key_Backtab).join(' ').toStdString(), back.join(' ').toStdString());

    QLineEdit* name = m_window->Grid(LibraryKind::Part).Grid().HistoryBox(1)->lineEdit();
    name->setFocus();
    std::size_t before = HelpShown();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1, Qt::ControlModifier);
    const std::size_t oneShow = HelpShown() - before;
    EXPECT_GT(oneShow, 0u) << "from the name box of the grid";
    Parts().setFocus();
    before = HelpShown();
    QTest::keyClick(&Parts(), Qt::Key_F1, Qt::ControlModifier);
    EXPECT_EQ(HelpShown(), before + oneShow) << "from the result list, once";
    QTest::keyClick(&Parts(), Qt::Key_F1);
    EXPECT_EQ(HelpShown(), before + oneShow) << "F1 alone is no help key";
    QTest::keyPress(&Parts(), Qt::Key_F1, Qt::ControlModifier);
    QTest::keyRelease(&Parts(), Qt::Key_F1);
    EXPECT_EQ(HelpShown(), before + 2 * oneShow) << "Control let go a moment before F1";
}

// The query box: Tab goes from its text to Accept and Cancel; Ctrl+F1 in the text asks for
// help and leaves the question open.
TEST_F(ResultListWindowTest, TheQueryBoxHasATabOrderAndItsTextTakesCtrlF1) {
    Kldquery query(m_window->Component().Services(), m_window->WindowFont(), m_window);
    int helped = 0;
    query.SetHelpHandler([&helped] { ++helped; });
    QStringList stops;
    bool open = false;
    QTimer::singleShot(0, &query, [&] {
        query.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&query));
        QWidget* text = query.findChild<QLineEdit*>("txtText");
        QTest::keyClick(text, Qt::Key_F1, Qt::ControlModifier);
        for (int press = 0; press < 3; ++press) {
            stops << query.focusWidget()->objectName();
            QTest::keyClick(query.focusWidget(), Qt::Key_Tab);
        }
        stops << query.focusWidget()->objectName();
        open = query.isVisible();
        query.reject();
    });
    std::vector<std::string> values(1);
    int index = 0;
    query.QUERY("Library Browser", "Name:", values, 1, index);
    EXPECT_EQ(helped, 1);
    EXPECT_TRUE(open);
    EXPECT_EQ(stops.join(' ').toStdString(), "txtText cmdAccept cmdCancel txtText");
}

} // namespace
} // namespace k2k
