// A slip never loses a person's work: a change of the library folder that is refused or
// cancelled keeps every search sequence, the history boxes keep the newest values, and a
// cancelled pick leaves its cell as it was.
#include "browser/BrowserComponent.h"
#include "browser/HistoryBoxes.h"
#include "browser/ui/OptionGrid.h"
#include "browser/ui/ResultListModel.h"
#include "browser/ui/ResultListView.h"
#include "browser/ui/frmK32_LibBrowser.h"
#include "browser/ui/frmSearchSeq.h"
#include "options/ui/frmOptions.h"
#include "platform/FileOps.h"
#include "platform/Kernel.h"
#include "platform/SuiteFolder.h"
#include "platform/SuiteServices.h"
#include "platform/UserSettings.h"
#include "platform/ui/K2kGrid.h"
#include "regtypes/ui/RegTypesDialog.h"
#include "regtypes/ui/RegTypesDialogs.h"
#include "search/LibraryCatalogue.h"
#include "simulation/ui/frmSimulation.h"
#include "support/SmallSuite.h"
#include "support/TestSupport.h"
#include "support/ui/LoadedBrowserFixture.h"
#include "system/NativePath.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace k2k {
namespace {

using test::ReadFile;
using test::WriteFile;

class NothingLostTest : public test::LoadedBrowserTest {
protected:
    // The search-sequence dialog, when shown, is answered by button (cmdOK or cmdCancel).
    void AnswerSequenceDialog(const char* button) {
        test::WhenModal<frmSearchSeq>([this, button](frmSearchSeq& dialog) {
            ++m_dialogs;
            test::Click(dialog, button);
        });
    }

    int m_dialogs = 0;
};

// A folder without libraries is taken only after a question, and No changes nothing; a folder with
// libraries whose dialog is cancelled goes back to the old folder; the settings and the catalogue
// are written only by OK.
TEST_F(NothingLostTest, ChangeLibPathKeepsEverySequenceUntilTheNewFolderIsConfirmed) {
    Load();
    const std::string settings = ReadFile(m_dir / "suite.ini");
    const std::string catalogue = ReadFile(m_dir / "kalde2000.ini");
    const std::string libDir = m_window->Component().Dirs().libDir;
    const QString caption = m_window->windowTitle();
    std::string answer;
    m_window->SetFolderChooser([&](const std::string&, const std::string&) { return answer; });
    QAction* changePath = Child<QAction>("mnuChgLibPth");

    std::filesystem::create_directories(m_dir / "EMPTY");
    WriteFile(m_dir / "EMPTY" / "notes.txt", "no libraries here");
    answer = m_dir.SuitePath() + "\\EMPTY";
    m_boxes.shown.clear();
    m_boxes.answers = {MsgAnswer::No};
    AnswerSequenceDialog("cmdOK");
    changePath->trigger();
    QApplication::processEvents();
    EXPECT_EQ(m_dialogs, 0) << "no dialog for a folder without libraries, after No";
    ASSERT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_NE(m_boxes.shown.front().text.find("holds no library files"), std::string::npos)
        << m_boxes.shown.front().text;
    EXPECT_EQ(m_window->Component().Dirs().libDir, libDir);
    EXPECT_EQ(m_window->Component().Catalogue().Count(LibraryKind::Part), 4);
    EXPECT_EQ(ReadFile(m_dir / "suite.ini"), settings);
    EXPECT_EQ(ReadFile(m_dir / "kalde2000.ini"), catalogue);

    WriteFile(m_dir / "OTHER" / "X.PART", "x");
    answer = m_dir.SuitePath() + "\\OTHER";
    AnswerSequenceDialog("cmdCancel");
    changePath->trigger();
    EXPECT_EQ(m_dialogs, 1);
    EXPECT_EQ(m_window->Component().Dirs().libDir, libDir) << "Cancel goes back";
    EXPECT_EQ(m_window->Component().Catalogue().Count(LibraryKind::Part), 4);
    EXPECT_EQ(ReadFile(m_dir / "suite.ini"), settings);
    EXPECT_EQ(ReadFile(m_dir / "kalde2000.ini"), catalogue);
    EXPECT_EQ(m_window->windowTitle(), caption);
    EXPECT_TRUE(m_heard.filter(QStringLiteral("SSQ")).isEmpty());

    AnswerSequenceDialog("cmdOK");
    changePath->trigger();
    EXPECT_EQ(m_dialogs, 2);
    EXPECT_EQ(m_window->Component().Dirs().libDir, answer);
    EXPECT_NE(ReadFile(m_dir / "suite.ini"), settings) << "OK saves the folder";
}

// A box that holds 25 values drops its oldest for a new one, so the value searched for last
// is kept for the next run.
TEST_F(NothingLostTest, AFullHistoryBoxKeepsTheNewestValuesAcrossARestart) {
    Load();
    OptionGrid& part = m_window->Grid(LibraryKind::Part);
    K2kGrid& grid = part.Grid();
    for (int i = 0; i < kHistoryBoxEntries + 2; ++i) {
        grid.SetComboText(1, QStringLiteral("V%1").arg(i));
        part.RememberValues();
    }
    EXPECT_EQ(grid.ComboListCount(1), kHistoryBoxEntries);
    EXPECT_EQ(grid.ComboList(1, 0), "V2") << "the two oldest are gone";
    EXPECT_EQ(grid.ComboText(1), "V26") << "the box keeps its text";

    UserSettings settings(m_config.Path() / "settings");
    ASSERT_TRUE(part.SaveHistory(settings));
    const std::vector<std::string> kept = LoadHistoryBox(settings, LibraryKind::Part, 1);
    ASSERT_EQ(kept.size(), static_cast<std::size_t>(kHistoryBoxEntries));
    EXPECT_EQ(kept.back(), "V26") << "the newest value survives the restart";
}

// A tab's grid is built only when it is first shown; until then its history stays in the
// store as it was, through any number of starts, and the grid shows it once built.
TEST_F(NothingLostTest, ATabNeverOpenedKeepsItsHistoryAcrossStarts) {
    UserSettings settings;
    const std::vector<std::string> symbols = {"74*", "SN7400"};
    ASSERT_TRUE(SaveHistoryBox(settings, LibraryKind::Symbol, 1, symbols));
    for (int start = 0; start < 2; ++start) {
        Load();
        OptionGrid& part = m_window->Grid(LibraryKind::Part);
        part.Grid().SetComboText(1, QStringLiteral("7400"));
        part.RememberValues();
        m_window->close();
        m_browser.reset();
        EXPECT_EQ(LoadHistoryBox(settings, LibraryKind::Symbol, 1), symbols) << start;
        EXPECT_EQ(LoadHistoryBox(settings, LibraryKind::Part, 1), std::vector<std::string>{"7400"});
    }
    Load();
    m_window->SelectTab(LibraryKind::Symbol);
    const K2kGrid& grid = m_window->Grid(LibraryKind::Symbol).Grid();
    ASSERT_EQ(grid.ComboListCount(1), 2);
    EXPECT_EQ(grid.ComboList(1, 1), "SN7400");
    EXPECT_EQ(grid.CellText(2, 1), "[ALL LIBRARIES]") << "its library list is filled too";
}

// An option chosen on another kind's tab of the options dialog shows in that kind's list
// at its next search, not only after a New Search or Refresh there.
TEST_F(NothingLostTest, OptionsChosenForAnotherKindReachItsNextSearch) {
    Load();
    const auto headings = [this](LibraryKind kind) {
        ResultListModel& model = m_window->ResultView(kind).Model();
        QStringList shown;
        for (int column = 0; column < model.columnCount(); ++column)
            shown << model.headerData(column, Qt::Horizontal).toString();
        return shown;
    };
    ASSERT_EQ(m_window->CurrentKind(), LibraryKind::Part);
    ASSERT_EQ(headings(LibraryKind::Symbol), QStringList({"Name", "Undefined"}));
    Options([](frmOptions& dialog) {
        Child<QTabWidget>(dialog, "tabOptions")->setCurrentIndex(1);
        test::ClickRow(*Child<QListWidget>(dialog, "lstOptions1"), 0);
        test::Click(dialog, "cmdOK");
    });

    m_window->SelectTab(LibraryKind::Symbol);
    m_window->Grid(LibraryKind::Symbol).Grid().SetCellText(1, 1, QStringLiteral("*"));
    m_window->cmdFindNow_Click();
    ASSERT_GT(m_window->ResultView(LibraryKind::Symbol).Model().rowCount(), 0);
    EXPECT_EQ(headings(LibraryKind::Symbol), QStringList({"Name"}))
        << "the column switched off on the Symbol tab is gone";
}

// The names of the widgets that Tab reaches from start, in order, among those named.
QStringList TabOrder(QWidget& start, const QStringList& names) {
    QStringList reached;
    QWidget* widget = &start;
    for (int step = 0; step < 200; ++step) {
        widget = widget->nextInFocusChain();
        if (widget == &start)
            break;
        if (names.contains(widget->objectName()) && !reached.contains(widget->objectName()))
            reached << widget->objectName();
    }
    return reached;
}

// Tab walks the dialogs as they read: from the tabs to the list, then the buttons.
TEST_F(NothingLostTest, TheDialogsTabFromTheirListsToTheirButtons) {
    Load();
    frmSearchSeq& sequence = m_window->SearchSequenceWindow();
    auto* tabs = Child<QTabWidget>(sequence, "tabSearchSeq");
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(TabOrder(*tabs, {"lstSearchSeq0", "cmdUp", "cmdDown", "cmdOK", "cmdCancel"}),
              QStringList({"lstSearchSeq0", "cmdUp", "cmdDown", "cmdOK", "cmdCancel"}));

    Options([](frmOptions& dialog) {
        EXPECT_EQ(TabOrder(*Child<QTabWidget>(dialog, "tabOptions"),
                           {"lstOptions0", "cmdOK", "cmdCancel"}),
                  QStringList({"lstOptions0", "cmdOK", "cmdCancel"}));
        dialog.reject();
    });

    BrowserComponent& browser = m_window->Component();
    frmSimulation simulation(browser.State().simulationPicker, browser.Services(),
                             QApplication::font());
    auto* simulationTabs = Child<QTabWidget>(simulation, "tabSimulation");
    ASSERT_NE(simulationTabs, nullptr);
    EXPECT_EQ(TabOrder(*simulationTabs, {"chkAnalog", "lvwSimulation0", "cmdOK", "cmdCancel"}),
              QStringList({"chkAnalog", "lvwSimulation0", "cmdOK", "cmdCancel"}));
}

// "Fit Column Widths" is on or off: a check box, not a value to type; OK keeps its state.
TEST_F(NothingLostTest, FitColumnWidthsIsACheckBox) {
    Load();
    Options([](frmOptions& dialog) {
        Child<QTabWidget>(dialog, "tabOptions")->setCurrentIndex(4);
        auto* box = Child<QCheckBox>(dialog, "chkFitColumnWidths");
        ASSERT_NE(box, nullptr) << "a check box";
        EXPECT_TRUE(box->isChecked()) << "on by default";
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
        EXPECT_FALSE(box->isChecked());
        test::Click(dialog, "cmdOK");
    });
    Options([](frmOptions& dialog) {
        auto* box = Child<QCheckBox>(dialog, "chkFitColumnWidths");
        ASSERT_NE(box, nullptr);
        EXPECT_FALSE(box->isChecked()) << "OK kept the setting off";
        dialog.reject();
    });
}

} // namespace
} // namespace k2k
