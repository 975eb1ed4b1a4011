#include "browser/ui/frmK32_LibBrowser.h"

#include "browser/MainWindowLayout.h"
#include "browser/ui/OptionGrid.h"
#include "browser/ui/ResultListModel.h"
#include "browser/ui/ResultListView.h"
#include "options/ui/frmOptions.h"
#include "platform/ui/K2kGrid.h"
#include "services/HelpTopic.h"
#include "support/SmallSuite.h"
#include "support/TestSupport.h"
#include "support/ui/LoadedBrowserFixture.h"

#include <QAction>
#include <QApplication>
#include <QBrush>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace k2k {
namespace {

using test::WriteFile;

// The small suite and the real main window, loaded (LoadedBrowserFixture.h).
class frmK32_LibBrowserTest : public test::LoadedBrowserTest {
protected:
    void SetUp() override {
        LoadedBrowserTest::SetUp();
        Load();
    }

    QTabWidget& Tabs() { return *Child<QTabWidget>("tabBrowser"); }

    // Types a name into the current tab's grid and presses a button of the panel.
    void Search(const QString& name, const char* button = "cmdFindNow") {
        m_window->Grid(m_window->CurrentKind()).Grid().SetCellText(1, 1, name);
        Child<QPushButton>(button)->click();
    }

    int Rows(LibraryKind kind) { return m_window->ResultView(kind).Model().rowCount(); }
    QVariant Cell(LibraryKind kind, int row, int column = 0, int role = Qt::DisplayRole) {
        ResultListModel& model = m_window->ResultView(kind).Model();
        return model.data(model.index(row, column), role);
    }
    QString RowName(LibraryKind kind, int row) { return Cell(kind, row).toString(); }
    QColor RowColour(LibraryKind kind, int row) {
        return Cell(kind, row, 0, Qt::ForegroundRole).value<QBrush>().color();
    }
};

TEST_F(frmK32_LibBrowserTest, StartsOnThePartTabWithItsGridAndListAndFindNowInPlaceOfStop) {
    ASSERT_EQ(Tabs().count(), 4);
    EXPECT_EQ(m_window->CurrentKind(), LibraryKind::Part);
    EXPECT_FALSE(Tabs().tabIcon(3).isNull()) << "each tab shows its kind's picture";

    EXPECT_TRUE(Child("cmdFindNow")->isVisible());
    EXPECT_FALSE(Child("cmdStop")->isVisible());
    EXPECT_TRUE(Child("cmdEditNewPart")->isVisible()) << "Edit New belongs to the Part tab";
    EXPECT_TRUE(Child("picSearchOptions0")->isVisible());
    EXPECT_TRUE(Child("egrdPartSearchResults")->isVisible());
    EXPECT_EQ(m_window->StatusText(), "Enter Search Options");
    EXPECT_NE(m_window->statusBar()->findChild<QWidget*>("CAPS"), nullptr);

    // The grids were filled from the catalogue: its library list starts with the choices.
    EXPECT_EQ(m_window->Grid(LibraryKind::Part).Grid().CellText(2, 1), "[ALL LIBRARIES]");
    EXPECT_EQ(Child<QAction>("mnuRefresh")->shortcut(), QKeySequence(Qt::Key_F5));
}

// Results accumulate: a second search adds its rows in the next colour of the table and the
// rows of the first keep theirs.
TEST_F(frmK32_LibBrowserTest, FindNowListsEachKindAndASecondSearchAddsInTheNextColour) {
    Search("74*");
    ASSERT_EQ(Rows(LibraryKind::Part), 4) << "74LS00, 74HC00, 74LS02, 74HCT00";
    EXPECT_EQ(m_window->StatusText(), "4 Part(s) found ");
    EXPECT_EQ(RowColour(LibraryKind::Part, 0), QColor(255, 0, 0));

    Search("LM*");
    ASSERT_EQ(Rows(LibraryKind::Part), 6);
    EXPECT_EQ(RowName(LibraryKind::Part, 4), "LM741");
    EXPECT_EQ(RowColour(LibraryKind::Part, 4), QColor(128, 0, 0));
    EXPECT_EQ(RowColour(LibraryKind::Part, 0), QColor(255, 0, 0));

    const std::pair<LibraryKind, int> others[] = {
        {LibraryKind::Symbol, 2}, {LibraryKind::Package, 2}, {LibraryKind::Padstack, 1}};
    for (const auto& [kind, count] : others) {
        m_window->SelectTab(kind);
        Search("*");
        EXPECT_EQ(Rows(kind), count) << FactsOf(kind).title;
        EXPECT_TRUE(m_window->ResultView(kind).isVisible());
    }
    EXPECT_EQ(Rows(LibraryKind::Part), 6) << "other tabs' searches leave the parts";
    Search("  ");
    EXPECT_EQ(Rows(LibraryKind::Padstack), 1) << "an empty name searches nothing";
    EXPECT_EQ(m_window->StatusText(), "Name Field Empty");
}

TEST_F(frmK32_LibBrowserTest, ReturnInAHistoryBoxRunsFindNow) {
    QLineEdit* name = m_window->Grid(LibraryKind::Part).Grid().HistoryBox(1)->lineEdit();
    QTest::keyClicks(name, "LM*");
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(Rows(LibraryKind::Part), 0) << "the search waits until the key is handled";
    QApplication::processEvents();
    EXPECT_EQ(Rows(LibraryKind::Part), 2);
}

// Stop is the only button served while a search runs: it stands where Find Now stood, and
// a click ends the search at its next check.
TEST_F(frmK32_LibBrowserTest, StopShownDuringASearchEndsIt) {
    bool stopShown = false;
    bool findNowShown = true;
    int clicksServed = 0;
    QMetaObject::invokeMethod(
        m_window,
        [&] {
            stopShown = Child("cmdStop")->isVisible();
            findNowShown = Child("cmdFindNow")->isVisible();
            Child<QPushButton>("cmdFindNow")->click(); // busy: does nothing
            Child<QPushButton>("cmdNewSearch")->click();
            Child<QPushButton>("cmdStop")->click();
            ++clicksServed;
        },
        Qt::QueuedConnection);
    Search("*");
    ASSERT_EQ(clicksServed, 1) << "events run while the search works";
    EXPECT_TRUE(stopShown);
    EXPECT_FALSE(findNowShown);
    EXPECT_LT(Rows(LibraryKind::Part), 7) << "stopped before the whole walk";
    EXPECT_TRUE(Child("cmdFindNow")->isVisible());
    EXPECT_FALSE(Child("cmdStop")->isVisible());

    const int kept = Rows(LibraryKind::Part);
    Search("*");
    EXPECT_EQ(Rows(LibraryKind::Part), kept + 7) << "a search after Stop runs to its end";
}

TEST_F(frmK32_LibBrowserTest, RowsOfOneLargeLibraryReachTheViewWhileItIsRead) {
    // A search reports its rows after each library; one library large enough to take many
    // event-loop turns must still show rows before it is read to its end.
    constexpr int kParts = 200'000;
    std::vector<LibraryObject> parts(kParts);
    for (int i = 0; i < kParts; ++i)
        parts[static_cast<std::size_t>(i)].name = "BIG" + std::to_string(100'000 + i);
    ASSERT_TRUE(test::Done(WriteLibrary(m_dir / "LIB" / "A.PART", LibraryKind::Part, parts)));

    std::vector<int> batches; // the list's size at each batch the view took during the search
    QObject::connect(&m_window->ResultView(LibraryKind::Part).Model(),
                     &QAbstractItemModel::rowsInserted, m_window,
                     [&](const QModelIndex&, int, int) {
                         if (m_window->Component().IsSearching())
                             batches.push_back(Rows(LibraryKind::Part));
                     });
    Search("BIG*");
    ASSERT_EQ(Rows(LibraryKind::Part), kParts);
    ASSERT_FALSE(batches.empty()) << "no rows were shown before the search ended";
    EXPECT_LT(batches.front(), kParts) << "the first rows came only with the whole library";
}

TEST_F(frmK32_LibBrowserTest, FindInListKeepsTheMatchingRowsAndNewSearchEmptiesTheTab) {
    Search("*");
    ASSERT_EQ(Rows(LibraryKind::Part), 7);
    m_window->SelectTab(LibraryKind::Symbol);
    Search("*");
    m_window->SelectTab(LibraryKind::Part);

    Search("*00", "cmdFindInList");
    ASSERT_EQ(Rows(LibraryKind::Part), 3);
    EXPECT_TRUE(RowName(LibraryKind::Part, 2).endsWith("00"));
    EXPECT_FALSE(m_window->Component().State().search.findInList);
    Search("74*");
    EXPECT_EQ(Rows(LibraryKind::Part), 3 + 4) << "Find Now after Find in List searches anew";

    Child<QPushButton>("cmdNewSearch")->click();
    EXPECT_EQ(Rows(LibraryKind::Part), 0);
    EXPECT_EQ(m_window->Grid(LibraryKind::Part).Grid().CellText(1, 1), "");
    EXPECT_EQ(Rows(LibraryKind::Symbol), 2) << "only the current tab is reset";
}

// A tab shows its kind's count after one blank, its own controls and help topic; Edit New
// asks for a new part or padstack only on their tabs.
TEST_F(frmK32_LibBrowserTest, TabSwitchShowsTheKindsCountAndControlsAndEditNewFollowsTheTab) {
    Search("74*");
    const int partTopic = m_window->Help().Topic();
    Child<QPushButton>("cmdEditNewPart")->click();

    Tabs().setCurrentIndex(1);
    EXPECT_EQ(m_window->StatusText(), " 0 Symbol(s) found ");
    EXPECT_FALSE(Child("cmdEditNewPart")->isVisible());
    EXPECT_TRUE(Child("picSearchOptions1")->isVisible());
    EXPECT_FALSE(Child("egrdPartSearchResults")->isVisible());
    EXPECT_NE(m_window->Help().Topic(), partTopic) << "each tab has its help topic";
    m_window->cmdEditNewPart_Click();

    Tabs().setCurrentIndex(3);
    EXPECT_EQ(m_window->StatusText(), " 0 Padstack(s) found ");
    Child<QPushButton>("cmdEditNewPart")->click();
    EXPECT_EQ(m_heard, QStringList({"K2KBRWSR,NEWPART", "K2KBRWSR,NEWPAD"}));
    Tabs().setCurrentIndex(0);
    EXPECT_EQ(m_window->StatusText(), " 4 Part(s) found ");
}

TEST_F(frmK32_LibBrowserTest, ResizeLaysOutInTwipsAndASmallerWindowSnapsBack) {
    const QSize minimum = m_window->MinimumSize();
    m_window->resize(minimum.width() + 300, minimum.height() + 200);
    QApplication::processEvents();
    const double dpiX = m_window->screen()->logicalDotsPerInchX();
    const double dpiY = m_window->screen()->logicalDotsPerInchY();
    const QWidget* central = m_window->centralWidget();
    const QRect tabs = Child("tabBrowser")->geometry();
    const QRect commands = Child("picSearchCommands")->geometry();
    const QRect options = Child("picSearchOptions0")->geometry();
    const QWidget* list = Child("egrdPartSearchResults");
    const QRect results(list->mapTo(central, QPoint(0, 0)), list->size());

    EXPECT_EQ(commands.right() + 1, central->width()) << "the panel keeps to the right edge";
    EXPECT_EQ(tabs.topLeft(), QPoint(0, TwipsToPixels(60, dpiY)));
    EXPECT_NEAR(tabs.width(), commands.left(), 1);
    EXPECT_EQ(options.topLeft(), QPoint(TwipsToPixels(60, dpiX), TwipsToPixels(420, dpiY)));
    EXPECT_NEAR(options.width(), tabs.width() - TwipsToPixels(120, dpiX), 1);
    EXPECT_GT(results.top(), tabs.bottom()) << "the lists lie under the tabs";
    EXPECT_NEAR(results.bottom() + 1, central->height(), 1) << "and end at the status bar";
    EXPECT_EQ(results.width(), central->width());

    m_window->resize(minimum.width() - 100, minimum.height() - 50);
    QApplication::processEvents();
    EXPECT_EQ(m_window->size(), minimum);
}

// Exit only hides the window and the next Load shows it with its results; an unload keeps
// the names searched for the next window.
TEST_F(frmK32_LibBrowserTest, ExitHidesTheWindowAndUnloadKeepsTheSearchedNames) {
    Search("74*");
    Child<QAction>("mnuExit")->trigger();
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_FALSE(m_window->IsUnloaded());
    EXPECT_TRUE(m_heard.isEmpty());
    frmK32_LibBrowser* before = m_window;
    Load();
    EXPECT_EQ(m_window, before);
    EXPECT_EQ(Rows(LibraryKind::Part), 4);

    m_window->ShutDown();
    EXPECT_EQ(m_heard, QStringList({"K2KBRWSR,SHUTDOWN"}));
    Load();
    const K2kGrid& grid = m_window->Grid(LibraryKind::Part).Grid();
    ASSERT_GE(grid.ComboListCount(1), 1);
    EXPECT_EQ(grid.ComboList(1, 0), "74*");
}

// Edit hands the host the selected rows first, then asks for the part editor.
TEST_F(frmK32_LibBrowserTest, EditPartHandsTheSelectedRowsToTheHostBeforeTheCommand) {
    QStringList order;
    QList<BWR_SEARCHRESULT> dropped;
    const QObject listening; // the connections go with it, before the locals they fill
    QObject::connect(m_browser.get(), &clsKldbrwsr::LoadDropData, &listening,
                     [&](const QList<BWR_SEARCHRESULT>& records) {
                         dropped = records;
                         order << "drop";
                     });
    QObject::connect(m_browser.get(), &clsKldbrwsr::NotifyServer, &listening,
                     [&](const QString&, const QString& command) { order << command; });
    Search("74*");
    ResultListView& view = m_window->ResultView(LibraryKind::Part);
    for (int row : {0, 2})
        view.selectionModel()->select(view.Model().index(row, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);

    view.RunTool(ResultTool::EditPart);
    EXPECT_EQ(order, QStringList({"drop", "PART"}));
    ASSERT_EQ(dropped.size(), 2);
    EXPECT_EQ(QString::fromStdString(dropped[0].Name), RowName(LibraryKind::Part, 0));
    EXPECT_EQ(QString::fromStdString(dropped[1].Name), RowName(LibraryKind::Part, 2));
}

// Used by Part from the Symbol tab lists the parts that use the symbol on the Part tab.
TEST_F(frmK32_LibBrowserTest, UsedByPartListsThePartsOfTheSymbolOnThePartTab) {
    m_window->SelectTab(LibraryKind::Symbol);
    Search("7400");
    ResultListView& symbols = m_window->ResultView(LibraryKind::Symbol);
    ASSERT_EQ(symbols.Model().rowCount(), 1);
    symbols.setCurrentIndex(symbols.Model().index(0, 0));

    symbols.RunTool(ResultTool::UsedByPartAllLibraries);
    EXPECT_EQ(m_window->CurrentKind(), LibraryKind::Part);
    ASSERT_EQ(Rows(LibraryKind::Part), 4);
    EXPECT_TRUE(RowName(LibraryKind::Part, 3).contains("00"));
}

// Always on Top puts the window in the top layer and takes it out; the explorer is asked of
// the main application when it runs.
TEST_F(frmK32_LibBrowserTest, AlwaysOnTopTogglesTheTopLayerAndExplorerAsksTheMainApplication) {
    QAction* onTop = Child<QAction>("mnuAlwaysOnTop");
    onTop->trigger();
    EXPECT_TRUE(m_window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(m_window->isVisible()) << "the change of flags leaves the window shown";
    onTop->trigger();
    EXPECT_FALSE(m_window->windowFlags() & Qt::WindowStaysOnTopHint);

    m_kernel.E_SetString("Kalde2000", "1");
    Child<QAction>("mnuLibExplorer")->trigger();
    EXPECT_EQ(m_heard, QStringList({"Kalde2000,Kalde2000,EXP,K2KBRWSR"}));
}

// --- the options dialog

// The Part options of the next run: Library shown, Description and Symbols hidden.
class OptionsMenuTest : public frmK32_LibBrowserTest {
protected:
    void SetUp() override {
        frmK32_LibBrowserTest::SetUp();
        m_browser.reset();
        WriteFile(m_dir / "suite.ini", "[Kalde2K]\r\nLibDir=LIB\r\nSysDir=SYS\r\n"
                                       "[Browser Part Options]\r\nNumber=3\r\n1=Library,-1\r\n"
                                       "2=Description,0\r\n3=Symbols,0\r\n");
        Load();
    }

    QStringList Headings(LibraryKind kind) {
        ResultListModel& model = m_window->ResultView(kind).Model();
        QStringList headings;
        for (int column = 0; column < model.columnCount(); ++column)
            headings << model.headerData(column, Qt::Horizontal).toString();
        return headings;
    }
};

TEST_F(OptionsMenuTest, AnOptionSwitchedOnShowsItsColumnAtOnceAndInTheNextRun) {
    Search("LM741");
    ASSERT_EQ(Headings(LibraryKind::Part), QStringList({"Name", "Library"}));
    Options([](frmOptions& dialog) {
        test::ClickRow(*Child<QListWidget>(dialog, "lstOptions0"), 1); // Description
        test::Click(dialog, "cmdOK");
    });
    EXPECT_EQ(Headings(LibraryKind::Part), QStringList({"Name", "Library", "Description"}));
    ASSERT_GE(Rows(LibraryKind::Part), 1) << "the rows stay";
    EXPECT_FALSE(Cell(LibraryKind::Part, 0, 2).toString().isEmpty()) << "with their values";

    m_browser.reset();
    Load();
    EXPECT_EQ(Headings(LibraryKind::Part), QStringList({"Name", "Library", "Description"}));
    for (const std::string& text : m_boxes.Texts())
        EXPECT_EQ(text.find("Options"), std::string::npos) << text;
}

// The dialog opens over the browser wherever the browser stands, not in the screen's middle.
TEST_F(OptionsMenuTest, TheDialogOpensCentredOverTheBrowser) {
    WaitUntilSettled();
    const QRect area = m_window->screen()->availableGeometry();
    m_window->resize(area.width() / 2, area.height() / 2);
    m_window->move(area.topLeft());
    QPoint centre;
    Options([&centre](frmOptions& dialog) {
        centre = dialog.frameGeometry().center();
        test::Click(dialog, "cmdCancel");
    });
    EXPECT_LE((centre - m_window->frameGeometry().center()).manhattanLength(), 2)
        << "dialog at " << centre.x() << "," << centre.y();
}

// With "Fit Column Widths" 0 a list's first rows leave its columns at the list's widths.
TEST_F(OptionsMenuTest, TheGeneralTabSwitchesTheFittingOfColumnWidths) {
    Options([](frmOptions& dialog) {
        Child<QTabWidget>(dialog, "tabOptions")->setCurrentIndex(kGeneralTab);
        auto* grid = Child<K2kGrid>(dialog, "KldOptions");
        ASSERT_EQ(grid->CellText(1, 0), "Fit Column Widths");
        grid->SetCellText(1, 1, "0");
        test::Click(dialog, "cmdOK");
    });
    m_browser.reset(); // the setting lasts into the next run
    Load();
    Search("LM741");
    ResultListView& view = m_window->ResultView(LibraryKind::Part);
    ASSERT_GE(Rows(LibraryKind::Part), 1);
    EXPECT_EQ(view.columnWidth(0), view.horizontalHeader()->defaultSectionSize());
}

TEST_F(OptionsMenuTest, NothingOpensWhileTheBrowserIsBusy) {
    m_window->PublishStatus(true);
    bool opened = false;
    QTimer::singleShot(0, m_window, [&opened] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = true;
            modal->close();
        }
    });
    Child<QAction>("mnuOptions")->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(opened);
    EXPECT_EQ(m_window->findChild<frmOptions*>(), nullptr);
    m_window->PublishStatus(false);
}

// The dialog opens on the browser's tab, with its own help topic (View, the fourth item);
// a change made there lists that tab anew.
TEST_F(OptionsMenuTest, TheDialogOpensOnTheCurrentTab) {
    Tabs().setCurrentIndex(2);
    Search("*");
    ASSERT_EQ(Headings(LibraryKind::Package), QStringList({"Name", "Undefined"}));
    Options([this](frmOptions& dialog) {
        EXPECT_EQ(m_window->Help().Topic(), HelpTopicNumber(2, 4, 0, 0));
        EXPECT_EQ(Child<QTabWidget>(dialog, "tabOptions")->currentIndex(), 2);
        test::ClickRow(*Child<QListWidget>(dialog, "lstOptions2"), 0);
        QTest::keyClick(Child<QPushButton>(dialog, "cmdOK"), Qt::Key_Space);
    });
    EXPECT_EQ(Headings(LibraryKind::Package), QStringList({"Name"}));
}

// A View > Register item opens its dialog for editing and OK rewrites the whole profile;
// the option grids' registered-type pick buttons can be clicked.
TEST_F(frmK32_LibBrowserTest, RegisterItemsOpenTheirEditorsAndOkRewritesTheProfile) {
    EXPECT_TRUE(m_window->Grid(LibraryKind::Part).Grid().CellButtonEnabled(1, 9));
    EXPECT_TRUE(m_window->Grid(LibraryKind::Padstack).Grid().CellButtonEnabled(1, 4));

    QString opened;
    test::WhenModal<QDialog>([&](QDialog& dialog) {
        opened = dialog.objectName() + ":" + dialog.windowTitle();
        test::Click(dialog, "cmdOK");
    });
    Child<QAction>("mnuSymbolRegister")->trigger();
    EXPECT_EQ(opened, "frmSymRegTypes:Symbol Registered Types");
    EXPECT_TRUE(test::ReadFile(m_dir / "SYS" / "K2KBRWSR.ini").ends_with("\r\n[ENDPROFILE]"))
        << "OK rewrote the profile";
}

} // namespace
} // namespace k2k
