#include "options/ui/frmOptions.h"

#include "platform/SuiteServices.h"
#include "platform/UserSettings.h"
#include "platform/ui/K2kGrid.h"
#include "support/TestSupport.h"
#include "support/ui/AccessibilityWalk.h"
#include "support/ui/WidgetDriver.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace k2k {
namespace {

using test::ReadFile;
using test::WriteFile;

// The dialog on its own, over a suite.ini with three Part options (Library and Symbols
// shown) and a settings folder of the test's own; shown as the browser shows it, without
// waiting in a modal loop, so the test clicks it like a user.
class frmOptionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFile(m_dir / "suite.ini", "[Browser Part Options]\r\nNumber=3\r\n1=Library,-1\r\n"
                                       "2=Description,0\r\n3=Symbols,2\r\n");
        LoadDisplayOptions(m_tables, m_services);
        m_dialog.SetMode(kOptionsEditMode);
        m_dialog.LoadForm();
        m_dialog.show();
    }

    template <class T = QWidget>
    T* Child(const QString& name) {
        return test::Child<T>(m_dialog, name);
    }
    QListWidget* List(int kind) {
        return Child<QListWidget>(QStringLiteral("lstOptions%1").arg(kind));
    }
    std::vector<bool> Selection(int kind) {
        std::vector<bool> selected;
        for (int i = 0; i < List(kind)->count(); ++i)
            selected.push_back(List(kind)->item(i)->isSelected());
        return selected;
    }
    void Click(QListWidget* list, int row, Qt::MouseButton button = Qt::LeftButton) {
        test::ClickRow(*list, row, button);
    }

    test::TempDir m_dir;
    test::RecordingMessageBoxes m_boxes;
    SuiteServices m_services{m_dir / "suite.ini", m_boxes};
    UserSettings m_settings{m_dir / "user"};
    DisplayOptions m_tables;
    GeneralOptions m_general;
    frmOptions m_dialog{m_tables, m_general, m_services, m_settings, QApplication::font()};
};

// Shown, the dialog is as high as its longest list needs: every option of the sample's fifteen
// Part columns shows without scrolling, and no empty room is left below the last.
TEST_F(frmOptionsTest, TheListsAreAsHighAsTheirOptions) {
    m_dialog.hide();
    auto& part = m_tables.Table(LibraryKind::Part);
    part.assign(1, DisplayOption{});
    for (int i = 1; i <= 15; ++i)
        part.push_back({0, "Column " + std::to_string(i)});
    bool checked = false;
    test::WhenModal<frmOptions>([&](frmOptions& shown) {
        QListWidget* list = test::Child<QListWidget>(shown, "lstOptions0");
        EXPECT_EQ(list->count(), 15);
        EXPECT_EQ(list->verticalScrollBar()->maximum(), 0) << "no option out of sight";
        const QRect last = list->visualItemRect(list->item(14));
        EXPECT_LT(list->viewport()->height() - last.bottom(), 2 * last.height())
            << "no empty room below the last option";
        checked = true;
        test::Click(shown, "cmdCancel");
    });
    m_dialog.ShowModal(0);
    EXPECT_TRUE(checked);
}

// Each kind's tab lists its options with the shown ones selected; Ctrl+F1 asks for help.
TEST_F(frmOptionsTest, LoadShowsEachKindsOptionsWithTheShownOnesSelected) {
    ASSERT_EQ(Child<QTabWidget>("tabOptions")->count(), 5);
    for (int kind = 0; kind < 4; ++kind) {
        EXPECT_EQ(List(kind)->selectionMode(), QAbstractItemView::MultiSelection);
        EXPECT_EQ(List(kind)->currentRow(), 0);
    }
    ASSERT_EQ(List(0)->count(), 3);
    EXPECT_EQ(List(0)->item(1)->text(), "Description");
    EXPECT_EQ(Selection(0), (std::vector<bool>{true, false, true})) << "a stored 2 is shown";
    EXPECT_EQ(List(1)->item(0)->text(), "Undefined") << "a kind without settings";
    EXPECT_EQ(Selection(1), (std::vector<bool>{true}));
    auto* grid = Child<K2kGrid>("KldOptions");
    ASSERT_EQ(grid->Rows(), 2);
    EXPECT_EQ(grid->CellText(1, 0), "Fit Column Widths");
    EXPECT_EQ(grid->CellText(1, 1), "1");

    int shown = 0;
    m_dialog.SetHelpHandler([&shown] { ++shown; });
    QTest::keyClick(List(0), Qt::Key_F1, Qt::ControlModifier);
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(m_dialog.isVisible());
}

// A left click selects or clears one item; a right-button release pops up the menu,
// whose tools act on the current tab's list only.
TEST_F(frmOptionsTest, ClicksToggleItemsAndThePopupSelectsOrClearsTheWholeList) {
    Click(List(0), 1);
    Click(List(0), 0);
    EXPECT_EQ(Selection(0), (std::vector<bool>{false, true, true}));

    Click(List(0), 2, Qt::RightButton);
    QMenu& menu = m_dialog.PopupMenu();
    ASSERT_TRUE(menu.isVisible()) << "the right button's release pops the menu up";
    EXPECT_EQ(menu.objectName(), "mnuOptions");
    EXPECT_EQ(Selection(0), (std::vector<bool>{false, true, true}))
        << "the right button selects nothing";
    QTest::keyClick(&menu, Qt::Key_U); // &UnSelect All
    EXPECT_FALSE(menu.isVisible());
    EXPECT_EQ(Selection(0), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(Selection(1), (std::vector<bool>{true})) << "other tabs keep theirs";

    Click(List(0), 0, Qt::RightButton);
    QTest::keyClick(&menu, Qt::Key_A); // Select &All
    EXPECT_EQ(Selection(0), (std::vector<bool>{true, true, true}));
}

// OK in mode 0 says the error and keeps the dialog open with nothing stored; in the edit
// mode it stores the lists and the general grid and reports the change.
TEST_F(frmOptionsTest, OkStoresTheListsAndTheGeneralGridOnlyInEditMode) {
    const std::string before = ReadFile(m_dir / "suite.ini");
    m_dialog.SetMode(0);
    Click(List(0), 1); // Description on
    QTest::mouseClick(Child<QPushButton>("cmdOK"), Qt::LeftButton);
    EXPECT_TRUE(m_dialog.isVisible());
    EXPECT_EQ(m_boxes.Texts(), (std::vector<std::string>{"Library Browser Options Error "}));
    EXPECT_EQ(ReadFile(m_dir / "suite.ini"), before);
    EXPECT_EQ(m_tables.Table(LibraryKind::Part)[2].Value, 0);

    m_dialog.SetMode(kOptionsEditMode);
    Child<QTabWidget>("tabOptions")->setCurrentIndex(kGeneralTab);
    Child<K2kGrid>("KldOptions")->SetCellText(1, 1, "0");
    QTest::mouseClick(Child<QPushButton>("cmdOK"), Qt::LeftButton);
    EXPECT_FALSE(m_dialog.isVisible());
    EXPECT_TRUE(m_dialog.Changed());
    EXPECT_EQ(m_tables.Table(LibraryKind::Part)[2], (DisplayOption{-1, "Description"}));
    EXPECT_NE(ReadFile(m_dir / "suite.ini").find("2=Description,-1\r\n"), std::string::npos);
    EXPECT_EQ(m_general.fitColumnWidths, 0);
    EXPECT_EQ(LoadGeneralOptions(m_settings).fitColumnWidths, 0);
    EXPECT_EQ(m_boxes.shown.size(), 1u);
}

// Escape drops what was clicked; the next opening starts from the tables.
TEST_F(frmOptionsTest, EscapeStoresNothingAndTheNextOpeningShowsTheTables) {
    const std::string before = ReadFile(m_dir / "suite.ini");
    Click(List(0), 1);
    QTest::keyClick(List(0), Qt::Key_Escape);
    EXPECT_FALSE(m_dialog.isVisible());
    EXPECT_FALSE(m_dialog.Changed());
    EXPECT_EQ(ReadFile(m_dir / "suite.ini"), before);
    m_dialog.LoadForm();
    EXPECT_EQ(Selection(0), (std::vector<bool>{true, false, true}));
    EXPECT_TRUE(m_boxes.shown.empty());
}

// Every control of every tab reads for a screen reader, and Tab reaches every one shown.
TEST_F(frmOptionsTest, EveryControlIsReadableAndReachedByTab) {
    m_dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_dialog));
    auto* tabs = Child<QTabWidget>("tabOptions");
    for (int tab = 0; tab < tabs->count(); ++tab) {
        SCOPED_TRACE(tab);
        tabs->setCurrentIndex(tab);
        EXPECT_EQ(test::UnnamedControls(m_dialog).join(", ").toStdString(), "");
        EXPECT_EQ(test::UnreachedByTab(m_dialog).join(", ").toStdString(), "");
    }
}

} // namespace
} // namespace k2k
