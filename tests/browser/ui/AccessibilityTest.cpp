// The browser's windows read by a screen reader and reached by Tab: the main window on
// each tab, with rows in its lists, the search-sequence dialog and the splash.
#include "browser/OptionGridRows.h"
#include "browser/ui/OptionGrid.h"
#include "browser/ui/frmSearchSeq.h"
#include "browser/ui/frmSplash.h"
#include "platform/ui/K2kGrid.h"
#include "support/ui/AccessibilityWalk.h"
#include "support/ui/LoadedBrowserFixture.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace k2k {
namespace {

using test::UnnamedControls;
using test::UnreachedByTab;

class AccessibilityTest : public test::LoadedBrowserTest {
protected:
    void SetUp() override {
        LoadedBrowserTest::SetUp();
        Load();
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window));
    }

    void Search(const QString& name) {
        m_window->Grid(m_window->CurrentKind()).Grid().SetCellText(1, 1, name);
        Child<QPushButton>("cmdFindNow")->click();
    }

    QString NameOf(const char* control) {
        return QAccessible::queryAccessibleInterface(Child(control))->text(QAccessible::Name);
    }
};

// Every tab's grid, buttons and list read, with rows found; the grids' editors read as
// their rows' captions, the pick buttons as the dialogs they open, the list as its kind's
// results; Tab reaches every control the tab shows.
TEST_F(AccessibilityTest, EveryTabOfTheMainWindowIsReadableAndReachedByTab) {
    for (const LibraryKind kind :
         {LibraryKind::Part, LibraryKind::Symbol, LibraryKind::Package, LibraryKind::Padstack}) {
        SCOPED_TRACE(static_cast<int>(kind));
        m_window->SelectTab(kind);
        Search("*");
        EXPECT_EQ(UnnamedControls(*m_window).join(", ").toStdString(), "");
        EXPECT_EQ(UnreachedByTab(*m_window).join(", ").toStdString(), "");
    }
    EXPECT_EQ(NameOf("egrdPartSearchResults"), "Part results");
    EXPECT_EQ(NameOf("egrdPadstackSearchOptions"), "Padstack search options");
}

TEST_F(AccessibilityTest, TheSearchSequenceAndTheSplashAreReadable) {
    int checked = 0;
    test::WhenModal<frmSearchSeq>([&checked](frmSearchSeq& dialog) {
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        EXPECT_EQ(UnnamedControls(dialog).join(", ").toStdString(), "");
        EXPECT_EQ(UnreachedByTab(dialog).join(", ").toStdString(), "");
        ++checked;
        dialog.reject();
    });
    Child<QAction>("mnuSearchSeq")->trigger();
    EXPECT_EQ(checked, 1);

    frmSplash splash(m_window->Component().Services(), QApplication::font());
    splash.ShowAsSplash(true);
    EXPECT_EQ(UnnamedControls(splash).join(", ").toStdString(), "");
}

// In German: the sample's language file, as the suite names it.
class GermanAccessibilityTest : public test::LoadedBrowserTest {
protected:
    void PrepareSuite() override { UseSampleLanguage("DEU"); }
};

// The names made for controls without a caption are in the suite's language, and the grid's
// editors read as their rows' captions do.
TEST_F(GermanAccessibilityTest, NamesAreInTheSuitesLanguage) {
    Load();
    const auto name = [](QObject* control) {
        return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
    };
    EXPECT_EQ(name(Child("egrdPartSearchResults")), "Bauteil-Ergebnisse");
    EXPECT_EQ(name(Child<QSplitter>("splBrowser")->handle(1)),
              QString::fromUtf8("H\xc3\xb6he der Suchoptionen"));
    K2kGrid& grid = m_window->Grid(LibraryKind::Part).Grid();
    const int library = CriterionRow(LibraryKind::Part, SearchCriterion::Library);
    auto* table = grid.findChild<QTableWidget*>();
    // A combo box is read by its row's caption, whatever it holds; what it holds is its value.
    QComboBox* libraries = table->cellWidget(library, 1)->findChild<QComboBox*>();
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(libraries);
    EXPECT_EQ(box->role(), QAccessible::ComboBox);
    EXPECT_EQ(box->text(QAccessible::Name), "Bibliothek");
    EXPECT_EQ(box->text(QAccessible::Value), "[ALL LIBRARIES]");
    EXPECT_TRUE(box->state().editable);
    QComboBox* history = grid.HistoryBox(1);
    history->setEditText(QStringLiteral("74*"));
    EXPECT_EQ(name(history), grid.CellText(1, 0));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(history)->text(QAccessible::Value), "74*");
    QAccessibleActionInterface* actions = box->actionInterface();
    ASSERT_NE(actions, nullptr);
    actions->doAction(QAccessibleActionInterface::showMenuAction());
    EXPECT_TRUE(libraries->view()->isVisible()) << "the reader opens its list";
    libraries->hidePopup();
    const int packageType = CriterionRow(LibraryKind::Part, SearchCriterion::PackageType);
    auto* pick = table->cellWidget(packageType, 1)->findChild<QToolButton*>();
    ASSERT_NE(pick, nullptr);
    EXPECT_EQ(name(pick), QString::fromUtf8("Geh\xc3\xa4usetyp ausw\xc3\xa4hlen"));
}

} // namespace
} // namespace k2k
